#include "lyrics/app/lrc_batch_dialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTreeWidget>
#include <filesystem>

#include "base/recording_prompter.h"
#include "lyrics/app/batch_dialog_support.h"
#include "test_support/qt_test_app.h"
#include "test_support/run_command.h"
#include "test_support/temp_dir.h"

namespace norva::lyr::app {
namespace {

namespace fs = std::filesystem;
using namespace batch_test;

const fs::path kLyrics = fs::path(NORVA_TEST_DATA_DIR) / "lyrics";

const Message kDone{"转化完成.", "LRC转LYR", MessageIcon::Warning, MessageButtons::Ok};
const Message kBusy{"请先取消转化", "LRC-->LYR软件", MessageIcon::Information, MessageButtons::Ok};

struct LrcBatchDialogTest : ::testing::Test {
  void SetUp() override { fs::create_directory(out()); }
  fs::path out() const { return dir.path() / "out"; }

  // Copies fixtures into the temporary folder: {fixture, where} pairs.
  QStringList copies(std::initializer_list<std::pair<const char*, fs::path>> files) {
    QStringList paths;
    for (const auto& [fixture, where] : files) {
      fs::create_directories((dir.path() / where).parent_path());
      fs::copy_file(kLyrics / fixture, dir.path() / where);
      paths << q(dir.path() / where);
    }
    return paths;
  }

  void addAndAim(const QStringList& paths) {
    choosers.files = {paths};
    dialog.addFiles();
    dialog.outputFolder()->setEditText(q(out()));
  }

  QApplication& app = ::norva::testing::offscreenApp<QApplication>();  // before any widget
  TempDir dir;
  RecordingPrompter prompter;
  ScriptedChoosers choosers;
  LrcBatchDialog dialog{prompter, choosers};
};

// The fixtures end to end: the files are the bytes norva batch-lrc writes for the same inputs,
// "lyrics.txt.lrc" gives "lyrics.txt.lyr", and a second "short_en.lrc" from another folder is
// passed over with a note instead of overwriting the first one's output.
TEST_F(LrcBatchDialogTest, ConvertsTheFixturesToTheBytesOfTheCommandLine) {
  const QStringList inputs = copies({{"song_cn.lrc", "a/song_cn.lrc"},
                                     {"short_en.lrc", "a/short_en.lrc"},
                                     {"short_en.lrc", "a/lyrics.txt.lrc"},
                                     {"song_cn.lrc", "b/short_en.lrc"}});
  addAndAim(inputs);
  ASSERT_EQ(dialog.inputs().size(), 4u);
  std::vector<BatchFileStatus> statuses;
  QObject::connect(&dialog, &LrcBatchDialog::fileDone,
                   [&](const BatchFileReport& report) { statuses.push_back(report.status); });
  EXPECT_EQ(dialog.start().result, BatchRunResult::Finished);

  EXPECT_EQ(statuses, (std::vector<BatchFileStatus>{
                          BatchFileStatus::Written, BatchFileStatus::Written,
                          BatchFileStatus::Written, BatchFileStatus::SameOutputName}));
  EXPECT_EQ(names(dialog.outputs()),
            (std::vector<std::string>{"lyrics.txt.lyr", "short_en.lyr", "song_cn.lyr"}));
  ASSERT_EQ(dialog.outputTable()->topLevelItemCount(), 3);
  EXPECT_EQ(dialog.outputTable()->topLevelItem(0)->text(1), q(out()) + u'/');
  EXPECT_EQ(dialog.outputTable()->topLevelItem(0)->text(2), QStringLiteral("1024"));
  EXPECT_EQ(prompter.messages, std::vector<Message>{kDone});
  EXPECT_EQ(dialog.progress()->value(), 4);
  EXPECT_EQ(dialog.progress()->maximum(), 4);
  EXPECT_TRUE(dialog.notes()->text().contains(q(dir.path() / "b" / "short_en.lrc")));
  // The first short_en.lrc's output, not the second one's.
  EXPECT_EQ(readFile(out() / "short_en.lyr"), readFile(kLyrics / "expected" / "short_en.lrc.lyr"));

  TempDir byCommand;
  std::vector<std::string> argv{NORVA_BINARY, "batch-lrc"};
  for (const QString& input : inputs) argv.push_back(input.toStdString());
  argv.insert(argv.end(), {"-o", byCommand.path().string()});
  const CommandResult command = runCommand(argv);
  EXPECT_EQ(command.exitCode, 1) << command.err;  // the skipped input counts as not converted
  for (const char* name : {"lyrics.txt.lyr", "short_en.lyr", "song_cn.lyr"}) {
    SCOPED_TRACE(name);
    EXPECT_EQ(readFile(out() / name), readFile(byCommand.path() / name));
  }
}

// A failed compile has its error box and no row, even where an older file of the output's name
// lies in the folder; rows of an earlier run stay, and a file written again has one row.
TEST_F(LrcBatchDialogTest, OutputListShowsOnlyFilesWrittenAndKeepsEarlierRuns) {
  writeFile(out() / "empty.lyr", "left from before");
  writeFile(dir.path() / "a" / "empty.lrc", "");
  const QStringList inputs = copies({{"short_en.lrc", "a/short_en.lrc"}});
  addAndAim(inputs + QStringList{q(dir.path() / "a" / "empty.lrc")});
  dialog.start();
  EXPECT_EQ(names(dialog.outputs()), std::vector<std::string>{"short_en.lyr"});
  EXPECT_EQ(prompter.messages, (std::vector<Message>{{"程序处理缺陷!", "Compile Error information",
                                                      MessageIcon::None, MessageButtons::Ok},
                                                     kDone}));
  EXPECT_EQ(readFile(out() / "empty.lyr"), "left from before");

  dialog.clearInputs();
  addAndAim(copies({{"song_cn.lrc", "c/song_cn.lrc"}}) + inputs);
  dialog.start();
  EXPECT_EQ(names(dialog.outputs()), (std::vector<std::string>{"short_en.lyr", "song_cn.lyr"}));
  EXPECT_EQ(dialog.outputTable()->topLevelItemCount(), 2);
}

TEST_F(LrcBatchDialogTest, CancelInALayoutWarningPassesTheFileOverSilently) {
  writeFile(dir.path() / "a" / "long.lrc", kTooManyLines);
  const QStringList inputs = copies({{"short_en.lrc", "a/short_en.lrc"}});
  RecordingPrompter cancelling({Answer::Cancel});
  LrcBatchDialog fresh(cancelling, choosers);
  choosers.files = {{q(dir.path() / "a" / "long.lrc"), inputs.front()}};
  fresh.addFiles();
  fresh.outputFolder()->setEditText(q(out()));
  EXPECT_EQ(fresh.start().result, BatchRunResult::Finished);
  ASSERT_EQ(cancelling.messages.size(), 2u);
  EXPECT_EQ(cancelling.messages[0].caption, "long.lrc");  // the warning carries the file's name
  EXPECT_EQ(cancelling.messages[0].buttons, MessageButtons::YesNoCancel);
  EXPECT_EQ(cancelling.messages[1], kDone);
  EXPECT_EQ(names(fresh.outputs()), std::vector<std::string>{"short_en.lyr"});
  EXPECT_FALSE(fs::exists(out() / "long.lyr"));
}

TEST_F(LrcBatchDialogTest, NothingToConvertIsRefusedWithItsMessage) {
  struct Row {
    bool files, folder;
  };
  for (const Row row : {Row{false, true}, Row{true, false}, Row{false, false}}) {
    LrcBatchDialog fresh(prompter, choosers);
    if (row.files) {
      choosers.files = {{q(kLyrics / "short_en.lrc")}};
      fresh.addFiles();
    }
    if (row.folder) fresh.outputFolder()->setEditText(q(out()));
    prompter.messages.clear();
    EXPECT_EQ(fresh.start().result, BatchRunResult::NothingToConvert);
    EXPECT_EQ(prompter.messages,
              (std::vector<Message>{{"没有待转换文件或歌词目录、输出目录为空!", "LRC-->LYR软件",
                                     MessageIcon::None, MessageButtons::Ok}}));
    EXPECT_TRUE(fresh.startButton()->isEnabled());
  }
  EXPECT_TRUE(fs::is_empty(out()));
}

// Enabling of add, delete, clear, browse, start and quit before, during and after a run.
TEST_F(LrcBatchDialogTest, ButtonsInEachState) {
  const auto buttons = [this] {
    return std::vector<bool>{dialog.addButton()->isEnabled(),
                             dialog.deleteButton()->isEnabled(),
                             dialog.clearButton()->isEnabled(),
                             dialog.browseButton()->isEnabled(),
                             dialog.startButton()->isEnabled(),
                             dialog.quitButton()->isEnabled(),
                             dialog.busy()};
  };
  const std::vector<bool> idle{true, true, true, true, true, true, false};
  const std::vector<bool> running{false, false, false, true, false, false, true};
  EXPECT_EQ(buttons(), idle);
  addAndAim(copies({{"short_en.lrc", "a/short_en.lrc"}, {"song_cn.lrc", "a/song_cn.lrc"}}));
  std::vector<std::vector<bool>> seen;
  QObject::connect(&dialog, &LrcBatchDialog::fileDone,
                   [&](const BatchFileReport&) { seen.push_back(buttons()); });
  dialog.start();
  EXPECT_EQ(seen, (std::vector<std::vector<bool>>(2, running)));
  EXPECT_EQ(buttons(), idle);
}

TEST_F(LrcBatchDialogTest, ClosingIsRefusedWhileRunning) {
  addAndAim(copies({{"short_en.lrc", "a/short_en.lrc"}}));
  dialog.show();
  bool visibleAfterClose = false;
  QObject::connect(&dialog, &LrcBatchDialog::fileDone, [&](const BatchFileReport&) {
    dialog.close();
    dialog.quitButton()->click();  // disabled: nothing happens
    visibleAfterClose = dialog.isVisible();
  });
  dialog.start();
  EXPECT_TRUE(visibleAfterClose);
  EXPECT_EQ(prompter.messages, (std::vector<Message>{kBusy, kDone}));
  dialog.close();
  EXPECT_FALSE(dialog.isVisible());
}

// The add dialog's filter; the same file twice is one row, the same name in another folder a
// second.
TEST_F(LrcBatchDialogTest, AddKeepsEachFileOnce) {
  const QStringList files = copies({{"short_en.lrc", "a/x.lrc"}, {"song_cn.lrc", "b/x.lrc"}});
  choosers.files = {{files[0], files[0]}, files};
  dialog.addButton()->click();
  dialog.addButton()->click();
  EXPECT_EQ(choosers.filters, std::vector<QString>(2, QStringLiteral("LRC files (*.lrc) (*.LRC)")));
  ASSERT_EQ(dialog.inputTable()->topLevelItemCount(), 2);
  EXPECT_EQ(dialog.inputTable()->topLevelItem(1)->text(1), q(dir.path() / "b") + u'/');
}

}  // namespace
}  // namespace norva::lyr::app
