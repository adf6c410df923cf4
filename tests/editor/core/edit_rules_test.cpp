#include <gtest/gtest.h>

#include "editor/edit_rules.h"

namespace norva::editor {
namespace {

TEST(TextLimit, TypingStopsAtTheLimitInGbkBytes) {
  struct Row {
    bool switched;
    size_t current;
    size_t replaced;
    std::string inserted;
    size_t fits;
  };
  const std::string chinese = "\xc4\xe3";  // one two-byte character
  const Row rows[] = {
      // A fresh view: 32,767 bytes.
      {false, 32766, 0, "a", 1},
      {false, 32767, 0, "a", 0},
      {false, 32768, 0, "a", 0},
      {false, 32767, 1, "a", 1},
      {false, 32765, 0, chinese, 2},
      {false, 32766, 0, chinese, 0},  // a character is never split
      {false, 32764, 0, "ab" + chinese, 2},
      // After the wrap switch: 1,048,575 bytes.
      {true, 1048574, 0, "a", 1},
      {true, 1048575, 0, "a", 0},
      {true, 1048576, 0, "a", 0},
      {true, 32767, 0, "a", 1},
  };
  for (const Row& row : rows)
    EXPECT_EQ(fittingInsertBytes(row.current, row.replaced, row.inserted, textLimit(row.switched)),
              row.fits)
        << row.switched << " " << row.current << "+" << row.inserted.size();
}

TEST(LineBreakMark, ReplacesTheSelectionOrGoesInAtTheCaret) {
  struct Row {
    std::string text;
    size_t start;
    size_t end;
    std::string result;
    size_t caret;
  };
  const Row rows[] = {
      {"<100>abcdef", 6, 9, "<100>a<br>ef", 10},
      {"<100>abcdef", 9, 6, "<100>a<br>ef", 10},  // selected backwards
      {"abc", 1, 1, "a<br>bc", 5},
      {"", 0, 0, "<br>", 4},
      {"abc", 3, 99, "abc<br>", 7},
  };
  for (const Row& row : rows)
    EXPECT_EQ(replaceSelection(row.text, row.start, row.end, kLineBreakMark),
              (TextReplacement{row.result, row.caret}))
        << row.text;
}

TEST(LineColumnPane, CountsFromZeroWithBlanksAround) {
  EXPECT_EQ(lineColumnPaneText(0, 0), " Ln 0 Col 0 ");
  EXPECT_EQ(lineColumnPaneText(12, 345), " Ln 12 Col 345 ");
}

}  // namespace
}  // namespace norva::editor
