// Opening files into the document: size limit, types, line ends, LYR files read back.
#include "editor/service/session_fixture.h"

namespace norva::editor {
namespace {

using OpenTest = SessionTest;

const Message kTooLargeByPath{"文件太大请使用其它软件打开", "NORVA RD710转化软件",
                              MessageIcon::Warning, MessageButtons::Ok};
const Message kTooLargeByDialog{"文件太大请使用其它软件打开", "NORVA MP3歌词编辑软件",
                                MessageIcon::Warning, MessageButtons::Ok};

TEST_F(OpenTest, FilesUpTo32767BytesOpen) {
  struct Row {
    size_t size;
    CommandOutcome outcome;
  };
  const Row rows[] = {{32766, CommandOutcome::Done},
                      {32767, CommandOutcome::Done},
                      {32768, CommandOutcome::Refused}};
  for (const Row& row : rows) {
    prompter_.messages.clear();
    session_.newDocument();
    const auto path = put("big.txt", std::string(row.size, 'a'));
    const DocumentSnapshot before = snapshot(session_.document());
    EXPECT_EQ(session_.openPath(path.string()), row.outcome) << row.size;
    if (row.outcome == CommandOutcome::Done) {
      EXPECT_EQ(session_.document().text().size(), row.size);
      EXPECT_TRUE(prompter_.messages.empty());
    } else {
      EXPECT_EQ(snapshot(session_.document()), before);
      EXPECT_EQ(prompter_.messages, std::vector{kTooLargeByPath});
    }
  }
  // Through the dialog the same file is refused with the frame's caption.
  prompter_.messages.clear();
  EXPECT_EQ(openThroughDialog(at("big.txt")), CommandOutcome::Refused);
  EXPECT_EQ(prompter_.messages, std::vector{kTooLargeByDialog});
}

TEST_F(OpenTest, LineEndsBecomeCrLf) {
  struct Row {
    std::string file;
    std::string text;
  };
  const Row rows[] = {
      {"a\nb\n", "a\r\nb\r\n"},
      {"a\r\nb\r\n", "a\r\nb\r\n"},
      {"a\rb\r", "ab"},  // a lone CR vanishes
      {"a\r\r\nb", "a\r\nb"},
      {std::string("a\nb\0c\nd", 7), "a\r\nb"},  // text after a zero byte is lost
  };
  for (const Row& row : rows) {
    ASSERT_EQ(session_.openPath(put("x.txt", row.file).string()), CommandOutcome::Done);
    EXPECT_EQ(session_.document().text(), row.text);
    EXPECT_FALSE(session_.document().modified());
  }
}

TEST_F(OpenTest, ByPathTheExtensionDecidesOrRefuses) {
  struct Row {
    const char* name;
    std::optional<LyricFileType> type;
  };
  const Row rows[] = {{"x.tly", LyricFileType::Tly},
                      {"x.TLY", LyricFileType::Tly},
                      {"y.Lrc", LyricFileType::Lrc},
                      {"x.tl", std::nullopt},
                      {"x", std::nullopt}};
  for (const Row& row : rows) {
    session_.editText("unsaved");
    const DocumentSnapshot before = snapshot(session_.document());
    prompter_ = RecordingPrompter({Answer::No});
    const CommandOutcome outcome = session_.openPath(put(row.name, "<0>a\r\n").string());
    if (row.type) {
      EXPECT_EQ(outcome, CommandOutcome::Done) << row.name;
      EXPECT_EQ(session_.document().type(), *row.type) << row.name;
      EXPECT_EQ(session_.document().fileName(), row.name);
      EXPECT_FALSE(session_.document().untitled());
    } else {
      EXPECT_EQ(outcome, CommandOutcome::Refused) << row.name;
      EXPECT_EQ(snapshot(session_.document()), before) << row.name;  // still modified, too
    }
    ASSERT_EQ(prompter_.messages.size(), 1u);  // only the close prompt
    const std::string title = before.untitled ? "Untitled" : before.fileName;
    EXPECT_EQ(prompter_.messages[0].text, "保存文件 " + title + "？");
    EXPECT_EQ(prompter_.messages[0].caption, "NORVA MP3歌词编辑软件");
  }
}

TEST_F(OpenTest, ByPathTrailingBlanksAndMissingFiles) {
  const auto path = put("song.tly", "<0>a");
  EXPECT_EQ(session_.openPath(path.string() + "  "), CommandOutcome::Done);
  EXPECT_EQ(session_.document().path(), path);
  const DocumentSnapshot before = snapshot(session_.document());
  EXPECT_EQ(session_.openPath(at("missing.tly").string()), CommandOutcome::Refused);
  EXPECT_EQ(snapshot(session_.document()), before);
  EXPECT_TRUE(prompter_.messages.empty());
}

TEST_F(OpenTest, ByPathTheSizeIsJudgedBeforeTheName) {
  EXPECT_EQ(session_.openPath(put("big.dat", std::string(32768, 'a')).string()),
            CommandOutcome::Refused);
  EXPECT_EQ(prompter_.messages, std::vector{kTooLargeByPath});
}

TEST_F(OpenTest, ARelativePathBecomesTheDocumentsFullPath) {
  put("a.tly", "<0>a\r\n");
  const auto before = std::filesystem::current_path();
  std::filesystem::current_path(dir_.path());
  const CommandOutcome outcome = session_.openPath("./a.tly");
  std::filesystem::current_path(before);
  ASSERT_EQ(outcome, CommandOutcome::Done);
  EXPECT_EQ(session_.document().path().lexically_normal(), at("a.tly"));
  EXPECT_TRUE(session_.document().path().is_absolute());
}

TEST_F(OpenTest, ThroughTheDialogAnUnknownExtensionKeepsTheType) {
  ASSERT_EQ(openThroughDialog(put("a.lrc", "[00:01.00]x\n")), CommandOutcome::Done);
  ASSERT_EQ(openThroughDialog(put("b.dat", "[00:02.00]y\n")), CommandOutcome::Done);
  EXPECT_EQ(session_.document().type(), LyricFileType::Lrc);
  EXPECT_EQ(session_.document().fileName(), "b.dat");
  ASSERT_EQ(chooser_.openRequests.size(), 2u);
  EXPECT_EQ(chooser_.openRequests[0].filters.size(), 6u);
}

TEST_F(OpenTest, LyrScreensBecomeTaggedParagraphs) {
  const auto lyr = put("song.lyr", handMadeLyr({{0, "a"}, {50, gbk("中文")}, {123, "x\ry"}}));
  ASSERT_EQ(session_.openPath(lyr.string()), CommandOutcome::Done);
  // The CR lines of one screen stay one paragraph, their breaks kept as "<br>".
  EXPECT_EQ(session_.document().text(), "<0>a\r\n<5000>" + gbk("中文") + "\r\n<12300>x<br>y\r\n");
  EXPECT_EQ(session_.document().type(), LyricFileType::Lyr);
  EXPECT_EQ(session_.document().lyrFont(), LyrFontChoice::Large);

  ASSERT_EQ(session_.openPath(put("small.lyr", handMadeLyr({{7, "s"}}, 2)).string()),
            CommandOutcome::Done);
  EXPECT_EQ(session_.document().text(), "<700>s\r\n");
  EXPECT_EQ(session_.document().lyrFont(), LyrFontChoice::Small);
}

TEST_F(OpenTest, ARefusedLyrFileLeavesTheDocumentAsItWas) {
  ASSERT_EQ(session_.openPath(put("keep.tly", "<0>keep\r\n").string()), CommandOutcome::Done);
  session_.editText("<0>edited\r\n");
  const DocumentSnapshot before = snapshot(session_.document());
  struct Row {
    const char* name;
    std::vector<uint8_t> bytes;
  };
  auto badStart = handMadeLyr({{0, "a"}});
  badStart[1] = 0x01;
  auto badMagic = handMadeLyr({{0, "a"}});
  badMagic[6] = 'X';
  const Row rows[] = {{"marker.lyr", handMadeLyr({{0, "a"}}, 1, 0x11)},
                      {"start.lyr", badStart},
                      {"magic.lyr", badMagic}};
  for (const Row& row : rows) {
    const auto path = put(row.name, row.bytes);
    prompter_ = RecordingPrompter({Answer::No});
    EXPECT_EQ(session_.openPath(path.string()), CommandOutcome::Refused) << row.name;
    EXPECT_EQ(snapshot(session_.document()), before) << row.name;
    EXPECT_EQ(openThroughDialog(path), CommandOutcome::Refused) << row.name;
    EXPECT_EQ(snapshot(session_.document()), before) << row.name;
  }
}

TEST_F(OpenTest, OpenedFilesGoIntoTheRecentList) {
  for (const char* name : {"1.txt", "2.txt", "3.txt", "4.txt", "5.txt"})
    ASSERT_EQ(session_.openPath(put(name, "x").string()), CommandOutcome::Done);
  EXPECT_EQ(session_.recentFiles().entries(),
            (std::vector<std::string>{at("5.txt").string(), at("4.txt").string(),
                                      at("3.txt").string(), at("2.txt").string()}));
}

TEST_F(OpenTest, OpenThroughTheDialogAsksFirstWithItsOwnQuestionMark) {
  session_.editText("unsaved");
  prompter_ = RecordingPrompter({Answer::Cancel});
  EXPECT_EQ(session_.openWithDialog(), CommandOutcome::Cancelled);
  EXPECT_EQ(prompter_.messages,
            std::vector<Message>({{"保存文件 Untitled?", "NORVA RD710歌词编辑软件",
                                   MessageIcon::Question, MessageButtons::YesNoCancel}}));
  EXPECT_TRUE(chooser_.openRequests.empty());
  EXPECT_EQ(session_.document().text(), "unsaved");
}

}  // namespace
}  // namespace norva::editor
