// The convert-to-LYR commands: font filters, names, and files byte for byte as norva writes them.
#include "editor/service/session_fixture.h"
#include "test_support/run_command.h"

namespace norva::editor {
namespace {

using ConvertTest = SessionTest;

std::string norvaOutput(std::vector<std::string> args, const std::filesystem::path& output) {
  args.insert(args.begin(), NORVA_BINARY);
  args.push_back("-o");
  args.push_back(output.string());
  const CommandResult run = runCommand(args);
  EXPECT_EQ(run.exitCode, 0) << run.err;
  const ReadResult file = readWholeFile(output);
  return std::string(file.bytes.begin(), file.bytes.end());
}

TEST_F(ConvertTest, SamplesCompileToTheCheckedFiles) {
  struct Row {
    const char* sample;
    const char* expected;
    Message report;
  };
  const Message saved{"保存成功!", "NORVA MP3歌词编辑软件", MessageIcon::Warning,
                      MessageButtons::Ok};
  const Row rows[] = {{"song_cn.tly", "song_cn.tly.lyr", saved},
                      {"song_cn.smi", "song_cn.smi.lyr", saved},
                      {"wrap_mixed.tly", "wrap_mixed.tly.lyr", saved}};
  for (const Row& row : rows) {
    ASSERT_EQ(session_.openPath((kLyricSamples / row.sample).string()), CommandOutcome::Done);
    const std::string sourceText = session_.document().text();
    prompter_ = RecordingPrompter({}, Answer::Yes);  // the layout warning: ignore all
    chooser_.push(ChosenFile{at(row.sample), 0});
    EXPECT_EQ(session_.run(command::kConvertToLyr), CommandOutcome::Done) << row.sample;
    const std::string out = std::string(row.sample) + ".lyr";
    EXPECT_EQ(contents(at(out)), contents(kLyricSamples / "expected" / row.expected)) << row.sample;
    EXPECT_EQ(prompter_.messages.back(), row.report) << row.sample;
    // The document is not changed by the command: a SAMI document keeps its source.
    EXPECT_EQ(session_.document().text(), sourceText);
    EXPECT_FALSE(session_.document().modified());
  }
}

TEST_F(ConvertTest, LrcDocumentsCompileAsNorvaLrcWithAFont) {
  struct Row {
    const char* sample;
    size_t filter;
    const char* font;
  };
  const Row rows[] = {
      {"song_cn.lrc", 0, "large"}, {"short_en.lrc", 0, "small"}, {"short_en.lrc", 1, "large"}};
  for (const Row& row : rows) {
    for (int command : {command::kLrcToLyr, command::kConvertToLyr}) {
      ASSERT_EQ(session_.openPath((kLyricSamples / row.sample).string()), CommandOutcome::Done);
      prompter_ = RecordingPrompter({}, Answer::Yes);
      chooser_.push(ChosenFile{at("out"), row.filter});
      EXPECT_EQ(session_.run(command), CommandOutcome::Done) << row.sample << command;
      const std::string expected = norvaOutput(
          {"lrc", (kLyricSamples / row.sample).string(), "--font", row.font}, at("norva.lyr"));
      EXPECT_EQ(contents(at("out.lyr")), expected) << row.sample << " " << row.font;
      EXPECT_EQ(prompter_.messages.back(),
                (Message{"转换完毕!", "LRC歌词转换软件", MessageIcon::None, MessageButtons::Ok}));
    }
  }
}

TEST_F(ConvertTest, LrcTextWithoutAFinalLineBreakGetsOne) {
  // The last line only counts with its line break.
  ASSERT_EQ(session_.openPath(put("end.lrc", "[00:01.00]one\r\n[00:02.00]two").string()),
            CommandOutcome::Done);
  chooser_.push(ChosenFile{at("end"), 0});
  ASSERT_EQ(session_.convertLrcToLyr(), CommandOutcome::Done);
  const auto withBreak = put("end_break.lrc", "[00:01.00]one\r\n[00:02.00]two\r\n");
  EXPECT_EQ(contents(at("end.lyr")),
            norvaOutput({"lrc", withBreak.string(), "--font", "small"}, at("norva.lyr")));
}

TEST_F(ConvertTest, TheFontFollowsTheChosenFilter) {
  struct Row {
    std::string text;
    size_t filter;
    size_t offered;
    char fontClass;  // header byte 13: 1 large, 2 small
  };
  const Row rows[] = {
      {"<0>hello\r\n", 0, 2, 2}, {"<0>hello\r\n", 1, 2, 1}, {gbk("<0>hello 你\r\n"), 0, 1, 1}};
  for (const Row& row : rows) {
    ASSERT_EQ(session_.openPath(put("t.tly", row.text).string()), CommandOutcome::Done);
    chooser_.saveRequests.clear();
    chooser_.push(ChosenFile{at("t.LYR"), row.filter});
    ASSERT_EQ(session_.convertToLyr(), CommandOutcome::Done);
    ASSERT_EQ(chooser_.saveRequests.size(), 1u);
    EXPECT_EQ(chooser_.saveRequests[0].filters.size(), row.offered);
    EXPECT_EQ(contents(at("t.LYR")).at(13), row.fontClass) << row.text << row.filter;
  }
}

TEST_F(ConvertTest, CancelAndRefusalWriteNothing) {
  ASSERT_EQ(session_.openPath(put("w.tly", contents(kLyricSamples / "wrap_mixed.tly")).string()),
            CommandOutcome::Done);
  // Cancel in the dialog.
  EXPECT_EQ(session_.convertToLyr(), CommandOutcome::Cancelled);
  // Cancel at the layout warning.
  prompter_ = RecordingPrompter({Answer::Cancel});
  chooser_.push(ChosenFile{at("w"), 0});
  EXPECT_EQ(session_.convertToLyr(), CommandOutcome::Cancelled);
  EXPECT_FALSE(std::filesystem::exists(at("w.lyr")));
  // The name gets ".lyr" after the dialog: an existing file of that name is asked about.
  const auto existing = put("w.lyr", "old");
  prompter_ = RecordingPrompter({Answer::No});
  chooser_.push(ChosenFile{at("w"), 0});
  EXPECT_EQ(session_.convertToLyr(), CommandOutcome::Cancelled);
  EXPECT_EQ(prompter_.messages[0].caption, "另存为");
  EXPECT_EQ(contents(existing), "old");
}

TEST_F(ConvertTest, DisabledForTextAndLyrDocuments) {
  EXPECT_EQ(session_.run(command::kConvertToLyr), CommandOutcome::Disabled);  // a new Text document
  ASSERT_EQ(session_.openPath(put("a.lyr", handMadeLyr({{0, "a"}})).string()),
            CommandOutcome::Done);
  EXPECT_EQ(session_.convertToLyr(), CommandOutcome::Disabled);
  EXPECT_EQ(session_.convertLrcToLyr(), CommandOutcome::Disabled);
  EXPECT_TRUE(chooser_.saveRequests.empty());
}

}  // namespace
}  // namespace norva::editor
