// Save, Save As, New and close: names, prompts, failures that leave everything as it was.
#include <sys/stat.h>

#include "editor/service/session_fixture.h"

namespace norva::editor {
namespace {

using SaveTest = SessionTest;

const Message kCannotSaveReadOnly{"由于某种原因，不能保存文件(如文件权限为只读模式).", "错误",
                                  MessageIcon::Error, MessageButtons::Ok};
const Message kCannotSave{"由于某种原因，不能保存文件.", "错误", MessageIcon::Error,
                          MessageButtons::Ok};

TEST_F(SaveTest, SaveAsNamesFollowTheFilter) {
  struct Row {
    const char* chosen;
    size_t filter;
    const char* written;
    LyricFileType type;
  };
  const Row rows[] = {
      {"a", 0, "a.txt", LyricFileType::Tly},
      {"song.TXT", 0, "song.TXT", LyricFileType::Tly},
      {"song.txt", 1, "song.txt.tly", LyricFileType::Tly},
  };
  for (const Row& row : rows) {
    ASSERT_EQ(session_.openPath(put("start.tly", "<0>a\r\n").string()), CommandOutcome::Done);
    session_.editText("<100>text\r\n");
    chooser_.push(ChosenFile{at(row.chosen), row.filter});
    ASSERT_EQ(session_.saveAs(), CommandOutcome::Done) << row.chosen;
    EXPECT_EQ(contents(at(row.written)), "<100>text\r\n") << row.written;
    EXPECT_EQ(session_.document().path(), at(row.written));
    EXPECT_EQ(session_.document().title(), row.written);
    EXPECT_EQ(session_.document().type(), row.type);
    EXPECT_FALSE(session_.document().modified());
    EXPECT_EQ(session_.recentFiles().entries().front(), at(row.written).string());
  }
  const auto& request = chooser_.saveRequests.back();
  EXPECT_EQ(request.filters, saveAsFilters(LyricFileType::Tly));
}

TEST_F(SaveTest, SamiSaveAsWritesTimedTextAndBecomesTly) {
  ASSERT_EQ(session_.openPath((kLyricSamples / "song_cn.smi").string()), CommandOutcome::Done);
  ASSERT_EQ(session_.document().type(), LyricFileType::Sami);
  chooser_.push(ChosenFile{at("song"), 0});
  ASSERT_EQ(session_.saveAs(), CommandOutcome::Done);
  const std::string written = contents(at("song.tly"));
  // The SAMI sample holds the same lyric as the timed-text sample, plus its closing blank.
  const std::string tly = contents(kLyricSamples / "song_cn.tly");
  EXPECT_EQ(written.substr(0, tly.size()), tly);
  EXPECT_EQ(session_.document().text(), written);
  EXPECT_EQ(session_.document().type(), LyricFileType::Tly);
  EXPECT_EQ(chooser_.saveRequests[0].filters.size(), 1u);
}

TEST_F(SaveTest, ExtensionAddedAfterTheDialogAsksBeforeOverwriting) {
  const auto existing = put("song.tly", "old file\r\n");
  session_.editText("<0>new\r\n");
  const Message question{"" + existing.string() + " 已存在。\n要替换它吗?", "另存为",
                         MessageIcon::Warning, MessageButtons::YesNo};

  prompter_ = RecordingPrompter({Answer::No});
  chooser_.push(ChosenFile{at("song"), 1});
  const DocumentSnapshot before = snapshot(session_.document());
  EXPECT_EQ(session_.saveAs(), CommandOutcome::Cancelled);
  EXPECT_EQ(prompter_.messages, std::vector{question});
  EXPECT_EQ(contents(existing), "old file\r\n");
  EXPECT_EQ(snapshot(session_.document()), before);

  prompter_ = RecordingPrompter({Answer::Yes});
  chooser_.push(ChosenFile{at("song"), 1});
  EXPECT_EQ(session_.saveAs(), CommandOutcome::Done);
  EXPECT_EQ(prompter_.messages, std::vector{question});
  EXPECT_EQ(contents(existing), "<0>new\r\n");

  // A name the dialog returned as it is was asked about by the dialog itself.
  prompter_ = RecordingPrompter();
  chooser_.push(ChosenFile{existing, 1});
  EXPECT_EQ(session_.saveAs(), CommandOutcome::Done);
  EXPECT_TRUE(prompter_.messages.empty());
}

TEST_F(SaveTest, SaveWritesTheFileAndClearsModified) {
  const auto path = put("song.tly", "<0>a\r\n");
  ASSERT_EQ(session_.openPath(path.string()), CommandOutcome::Done);
  session_.editText("<0>b\r\n");
  EXPECT_EQ(session_.run(command::kSave), CommandOutcome::Done);
  EXPECT_EQ(contents(path), "<0>b\r\n");
  EXPECT_FALSE(session_.document().modified());
  EXPECT_TRUE(chooser_.saveRequests.empty());
  // Commands of the windows are not run here.
  EXPECT_EQ(session_.run(command::kCut), CommandOutcome::Disabled);
  EXPECT_EQ(session_.run(command::kChooseFont), CommandOutcome::NotSessionCommand);
}

TEST_F(SaveTest, AReadOnlyFileIsNotReplaced) {
  const auto path = put("song.tly", "<0>a\r\n");
  ASSERT_EQ(session_.openPath(path.string()), CommandOutcome::Done);
  session_.editText("<0>b\r\n");
  ::chmod(path.c_str(), 0444);
  const DocumentSnapshot before = snapshot(session_.document());
  EXPECT_EQ(session_.save(), CommandOutcome::Refused);
  EXPECT_EQ(prompter_.messages, std::vector{kCannotSaveReadOnly});
  EXPECT_EQ(contents(path), "<0>a\r\n");
  EXPECT_EQ(snapshot(session_.document()), before);
}

TEST_F(SaveTest, SaveAsThatCannotWriteChangesNothing) {
  session_.editText("<0>text\r\n");
  const DocumentSnapshot before = snapshot(session_.document());
  chooser_.push(ChosenFile{at("no/such/folder/x.tly"), 1});
  EXPECT_EQ(session_.saveAs(), CommandOutcome::Refused);
  EXPECT_EQ(prompter_.messages, std::vector{kCannotSave});
  EXPECT_EQ(snapshot(session_.document()), before);
}

TEST_F(SaveTest, ALyrDocumentIsCompiledWithTheFontOfItsHeader) {
  for (uint8_t fontClass : {uint8_t{1}, uint8_t{2}}) {
    const auto path = put("song.lyr", handMadeLyr({{10, "abc"}}, fontClass));
    ASSERT_EQ(session_.openPath(path.string()), CommandOutcome::Done);
    session_.editText("<1000>abc\r\n<2000>def\r\n");
    prompter_ = RecordingPrompter();
    ASSERT_EQ(session_.save(), CommandOutcome::Done);
    const std::string lyr = contents(path);
    ASSERT_GT(lyr.size(), 13u);
    EXPECT_EQ(lyr[13], static_cast<char>(fontClass));
    EXPECT_EQ(prompter_.messages,
              std::vector<Message>({{"保存成功!", "NORVA MP3歌词编辑软件", MessageIcon::Warning,
                                     MessageButtons::Ok}}));
    EXPECT_FALSE(session_.document().modified());
  }
}

TEST_F(SaveTest, ALyrSaveThatWroteNothingLeavesTheDocumentModified) {
  const auto path = put("song.lyr", handMadeLyr({{10, "abc"}}, 2));
  ASSERT_EQ(session_.openPath(path.string()), CommandOutcome::Done);
  std::string tooLong;
  for (int i = 0; i < 3000; ++i) tooLong += "<" + std::to_string(i * 100) + ">abcdefghijk\r\n";
  session_.editText(tooLong);
  const DocumentSnapshot before = snapshot(session_.document());
  const std::string file = contents(path);
  EXPECT_EQ(session_.save(), CommandOutcome::Refused);
  EXPECT_EQ(snapshot(session_.document()), before);
  EXPECT_EQ(contents(path), file);
  ASSERT_FALSE(prompter_.messages.empty());
  EXPECT_EQ(prompter_.messages.back().text, "文件太长!");
}

TEST_F(SaveTest, NewWhileModifiedAsksAndCancelKeepsTheText) {
  session_.editText("unsaved");
  prompter_ = RecordingPrompter({Answer::Cancel});
  EXPECT_EQ(session_.run(command::kNew), CommandOutcome::Cancelled);
  EXPECT_EQ(prompter_.messages,
            std::vector<Message>({{"保存文件 Untitled?", "NORVA RD710歌词编辑软件",
                                   MessageIcon::Question, MessageButtons::YesNoCancel}}));
  EXPECT_EQ(session_.document().text(), "unsaved");

  prompter_ = RecordingPrompter({Answer::No});
  EXPECT_EQ(session_.newDocument(), CommandOutcome::Done);
  EXPECT_EQ(session_.document().text(), "");
  EXPECT_FALSE(session_.document().modified());
}

TEST_F(SaveTest, NewAfterACancelledSaveAsKeepsTheText) {
  session_.editText("unsaved");
  prompter_ = RecordingPrompter({Answer::Yes});
  chooser_.push(std::nullopt);  // Save As is cancelled
  EXPECT_EQ(session_.newDocument(), CommandOutcome::Cancelled);
  EXPECT_EQ(chooser_.saveRequests.size(), 1u);
  EXPECT_EQ(session_.document().text(), "unsaved");
  EXPECT_TRUE(session_.document().modified());
}

TEST_F(SaveTest, OpenAfterARefusedSaveKeepsTheText) {
  const auto path = put("song.tly", "<0>a\r\n");
  ASSERT_EQ(session_.openPath(path.string()), CommandOutcome::Done);
  session_.editText("<0>b\r\n");
  ::chmod(path.c_str(), 0444);
  prompter_ = RecordingPrompter({Answer::Yes});
  EXPECT_EQ(session_.openPath(put("other.tly", "x").string()), CommandOutcome::Cancelled);
  EXPECT_EQ(session_.document().text(), "<0>b\r\n");
  EXPECT_EQ(session_.document().path(), path);
}

TEST_F(SaveTest, CloseGoesOnOnlyAfterARealSave) {
  EXPECT_EQ(session_.requestClose(), CommandOutcome::Done);  // not modified: no question
  EXPECT_TRUE(prompter_.messages.empty());

  session_.editText("unsaved");
  prompter_ = RecordingPrompter({Answer::Yes});
  EXPECT_EQ(session_.requestClose(), CommandOutcome::Cancelled);  // Save As cancelled
  EXPECT_EQ(prompter_.messages[0], (Message{"保存文件 Untitled？", "NORVA MP3歌词编辑软件",
                                            MessageIcon::Question, MessageButtons::YesNoCancel}));

  prompter_ = RecordingPrompter({Answer::Yes});
  chooser_.push(ChosenFile{at("kept"), 0});
  EXPECT_EQ(session_.requestClose(), CommandOutcome::Done);
  EXPECT_EQ(contents(at("kept.txt")), "unsaved");
}

}  // namespace
}  // namespace norva::editor
