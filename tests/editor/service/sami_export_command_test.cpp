// The SAMI export of a TLY document: the file norva smi writes, the added extension and its
// overwrite question, the message when the file cannot be written.
#include "editor/service/session_fixture.h"
#include "test_support/run_command.h"

namespace norva::editor {
namespace {

using SamiExportTest = SessionTest;

const std::string kTimed = "title\r\n<1000>first\r\nsecond\r\n<2500>third";

TEST_F(SamiExportTest, WritesTheFileNorvaSmiWritesAndLeavesTheDocumentAlone) {
  const auto source = put("song.tly", kTimed);
  ASSERT_EQ(session_.openPath(source.string()), CommandOutcome::Done);
  const DocumentSnapshot before = snapshot(session_.document());
  chooser_.push(ChosenFile{at("out"), 0});
  ASSERT_EQ(session_.exportSami(), CommandOutcome::Done);

  ASSERT_EQ(chooser_.saveRequests.size(), 1u);
  ASSERT_EQ(chooser_.saveRequests[0].filters.size(), 1u);
  EXPECT_EQ(chooser_.saveRequests[0].filters[0].label, "SAMI Files(*.smi)");
  EXPECT_EQ(chooser_.saveRequests[0].filters[0].pattern, "*.smi");
  EXPECT_EQ(chooser_.saveRequests[0].initialName, "song");

  const std::string written = contents(at("out.smi"));
  EXPECT_TRUE(
      written.ends_with("<BODY>\r\n"
                        "<Sync Start=1000>\r\n<P Class=ENCC>first\r\n<P Class=ENCC>second\r\n\r\n"
                        "<Sync Start=2500>\r\n<P Class=ENCC>third\r\n\r\n"
                        "</BODY>\r\n</SAMI>"));
  const CommandResult norva =
      runCommand({NORVA_BINARY, "smi", source.string(), "-o", at("norva.smi").string()});
  EXPECT_EQ(norva.exitCode, 0) << norva.err;
  EXPECT_EQ(written, contents(at("norva.smi")));
  EXPECT_EQ(snapshot(session_.document()), before);
  EXPECT_TRUE(prompter_.messages.empty());
}

TEST_F(SamiExportTest, TheAddedExtensionIsAskedAboutWhenItNamesAnotherFile) {
  ASSERT_EQ(session_.openPath(put("song.tly", kTimed).string()), CommandOutcome::Done);
  const auto existing = put("out.smi", "old");

  prompter_ = RecordingPrompter({Answer::No});
  chooser_.push(ChosenFile{at("out"), 0});
  EXPECT_EQ(session_.exportSami(), CommandOutcome::Cancelled);
  ASSERT_EQ(prompter_.messages.size(), 1u);
  EXPECT_EQ(prompter_.messages[0].caption, "另存为");
  EXPECT_EQ(contents(existing), "old");

  prompter_ = RecordingPrompter({Answer::Yes});
  chooser_.push(ChosenFile{at("out"), 0});
  EXPECT_EQ(session_.exportSami(), CommandOutcome::Done);
  EXPECT_TRUE(contents(existing).starts_with("<SAMI>\r\n"));

  // A name that already ends in .smi was asked about by the dialog itself.
  prompter_ = RecordingPrompter();
  chooser_.push(ChosenFile{at("out.SMI"), 0});
  put("out.SMI", "old");
  EXPECT_EQ(session_.exportSami(), CommandOutcome::Done);
  EXPECT_TRUE(prompter_.messages.empty());
  EXPECT_TRUE(contents(at("out.SMI")).starts_with("<SAMI>\r\n"));
}

TEST_F(SamiExportTest, AFileThatCannotBeWrittenIsReported) {
  ASSERT_EQ(session_.openPath(put("song.tly", kTimed).string()), CommandOutcome::Done);
  chooser_.push(ChosenFile{at("missing") / "out", 0});
  EXPECT_EQ(session_.exportSami(), CommandOutcome::Refused);
  ASSERT_EQ(prompter_.messages.size(), 1u);
  EXPECT_EQ(prompter_.messages[0], (Message{"不能写文件！      ", "NORVA RD710歌词编辑软件",
                                            MessageIcon::Error, MessageButtons::Ok}));
  EXPECT_FALSE(std::filesystem::exists(at("missing")));
}

TEST_F(SamiExportTest, OnlyTlyDocumentsAndCancelWritesNothing) {
  EXPECT_EQ(session_.exportSami(), CommandOutcome::Disabled);  // a new Text document
  ASSERT_EQ(session_.openPath(put("a.lrc", "[00:01.00]a\r\n").string()), CommandOutcome::Done);
  EXPECT_EQ(session_.exportSami(), CommandOutcome::Disabled);
  EXPECT_TRUE(chooser_.saveRequests.empty());

  ASSERT_EQ(session_.openPath(put("song.tly", kTimed).string()), CommandOutcome::Done);
  EXPECT_EQ(session_.exportSami(), CommandOutcome::Cancelled);  // nothing chosen
  EXPECT_FALSE(std::filesystem::exists(at("song.smi")));
}

}  // namespace
}  // namespace norva::editor
