#pragma once
// Rules of the edit view that do not need a window: the text limits counted in GBK bytes, the
// line break mark, and the Line/Column pane.
#include <cstddef>
#include <string>
#include <string_view>

namespace norva::editor {

// The view starts with room for 32,767 bytes; once automatic wrapping has been switched the
// view is made anew with room for 1,048,575.
constexpr size_t kInitialTextLimit = 32767;
constexpr size_t kSwitchedTextLimit = 1048575;

size_t textLimit(bool wrapSwitched);

// How many bytes of `inserted` (GBK) fit when it replaces `replacedBytes` of a text of
// `currentBytes` under `limit`: all of it, or the longest start that ends on a character
// boundary (a typed character either fits whole or is refused).
size_t fittingInsertBytes(size_t currentBytes, size_t replacedBytes, std::string_view inserted,
                          size_t limit);

constexpr std::string_view kLineBreakMark = "<br>";

struct TextReplacement {
  std::string text;
  size_t caret = 0;  // just after the inserted text
  bool operator==(const TextReplacement&) const = default;
};

// The text with the selection [selectionStart, selectionEnd) (in either order; positions past
// the end are taken as the end) replaced by `inserted`.
TextReplacement replaceSelection(std::string_view text, size_t selectionStart, size_t selectionEnd,
                                 std::string_view inserted);

// " Ln %d Col %d " with line and column counted from 0.
std::string lineColumnPaneText(int line, int column);

}  // namespace norva::editor
