#include "lyrics/app/text_encoding_dialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTreeWidget>
#include <filesystem>

#include "base/recording_prompter.h"
#include "lyrics/app/batch_dialog_support.h"
#include "test_support/qt_test_app.h"
#include "test_support/temp_dir.h"

namespace norva::lyr::app {
namespace {

namespace fs = std::filesystem;
using namespace std::string_view_literals;
using namespace batch_test;

struct TextDialogTest : ::testing::Test {
  void SetUp() override {
    writeFile(dir.path() / "a" / "one.txt", "abc");
    writeFile(dir.path() / "a" / "two.txt",
              "\xFF\xFE"
              "x\0"sv);
    writeFile(dir.path() / "b" / "one.txt", "other");
    fs::create_directory(dir.path() / "out");
  }

  void addAll() {
    choosers.files = {{q(dir.path() / "a" / "one.txt"), q(dir.path() / "a" / "two.txt"),
                       q(dir.path() / "b" / "one.txt")}};
    dialog.addFiles();
    dialog.outputFolder()->setEditText(q(dir.path() / "out"));
  }

  QApplication& app = testing::offscreenApp<QApplication>();  // before any widget
  TempDir dir;
  RecordingPrompter prompter;
  ScriptedChoosers choosers;
  TextEncodingDialog dialog{prompter, choosers};
};

const Message kDone{"转化完成!", "TXT文件转换", MessageIcon::Warning, MessageButtons::Ok};

TEST_F(TextDialogTest, ConvertsTwoFilesAndSkipsASecondOfTheSameName) {
  addAll();
  ASSERT_EQ(dialog.inputs().size(), 3u);
  std::vector<BatchFileStatus> statuses;
  QObject::connect(&dialog, &TextEncodingDialog::fileDone,
                   [&](const BatchFileReport& report) { statuses.push_back(report.status); });
  const BatchRun run = dialog.start();
  EXPECT_EQ(run.result, BatchRunResult::Finished);
  EXPECT_EQ(statuses,
            (std::vector<BatchFileStatus>{BatchFileStatus::Written, BatchFileStatus::Written,
                                          BatchFileStatus::SameOutputName}));
  EXPECT_EQ(readFile(dir.path() / "out" / "one.txt"),
            "\xFF\xFE"
            "a\0b\0c\0"sv);
  EXPECT_EQ(readFile(dir.path() / "out" / "two.txt"),
            "\xFF\xFE"
            "x\0"sv);  // copied as it was
  EXPECT_EQ(names(dialog.outputs()), (std::vector<std::string>{"one.txt", "two.txt"}));
  EXPECT_EQ(dialog.outputTable()->topLevelItemCount(), 2);
  EXPECT_EQ(dialog.outputTable()->topLevelItem(0)->text(2), QStringLiteral("8"));
  EXPECT_EQ(prompter.messages, std::vector<Message>{kDone});
  EXPECT_EQ(dialog.progress()->value(), 3);
  EXPECT_EQ(dialog.progress()->maximum(), 3);
}

TEST_F(TextDialogTest, ButtonsAreDisabledWhileRunningAndBackAfter) {
  addAll();
  std::vector<std::vector<bool>> seen;
  QObject::connect(&dialog, &TextEncodingDialog::fileDone, [&](const BatchFileReport&) {
    seen.push_back({dialog.addButton()->isEnabled(), dialog.deleteButton()->isEnabled(),
                    dialog.clearButton()->isEnabled(), dialog.browseButton()->isEnabled(),
                    dialog.startButton()->isEnabled(), dialog.quitButton()->isEnabled(),
                    dialog.stopButton()->isEnabled(), dialog.busy()});
  });
  dialog.start();
  const std::vector<bool> running{false, false, false, false, false, false, true, true};
  EXPECT_EQ(seen, (std::vector<std::vector<bool>>(3, running)));
  for (QPushButton* button : {dialog.addButton(), dialog.deleteButton(), dialog.clearButton(),
                              dialog.browseButton(), dialog.startButton(), dialog.quitButton()})
    EXPECT_TRUE(button->isEnabled());
  EXPECT_FALSE(dialog.stopButton()->isEnabled());
  EXPECT_FALSE(dialog.busy());
}

TEST_F(TextDialogTest, StopEndsTheRunBeforeTheNextFile) {
  addAll();
  QObject::connect(&dialog, &TextEncodingDialog::fileDone,
                   [&](const BatchFileReport&) { dialog.stopButton()->click(); });
  const BatchRun run = dialog.start();
  EXPECT_EQ(run.result, BatchRunResult::Stopped);
  EXPECT_EQ(names(dialog.outputs()), std::vector<std::string>{"one.txt"});
  EXPECT_FALSE(fs::exists(dir.path() / "out" / "two.txt"));
}

TEST_F(TextDialogTest, ClosingIsRefusedWhileRunning) {
  addAll();
  dialog.show();
  bool visibleAfterClose = false;
  QObject::connect(&dialog, &TextEncodingDialog::fileDone, [&](const BatchFileReport&) {
    dialog.close();
    dialog.quitButton()->click();  // disabled: nothing happens
    visibleAfterClose = dialog.isVisible();
  });
  dialog.start();
  EXPECT_TRUE(visibleAfterClose);
  dialog.close();
  EXPECT_FALSE(dialog.isVisible());
}

TEST_F(TextDialogTest, NothingToConvertIsRefusedWithItsMessage) {
  struct Row {
    bool files, folder;
  };
  for (const Row row : {Row{false, true}, Row{true, false}}) {
    TextEncodingDialog fresh(prompter, choosers);
    if (row.files) {
      choosers.files = {{q(dir.path() / "a" / "one.txt")}};
      fresh.addFiles();
    }
    if (row.folder) fresh.outputFolder()->setEditText(q(dir.path() / "out"));
    prompter.messages.clear();
    EXPECT_EQ(fresh.start().result, BatchRunResult::NothingToConvert);
    EXPECT_EQ(prompter.messages,
              (std::vector<Message>{{"没有待转换文件或歌词目录、输出目录为空!", "TXT转换",
                                     MessageIcon::None, MessageButtons::Ok}}));
    EXPECT_TRUE(fresh.startButton()->isEnabled());
  }
  EXPECT_TRUE(fs::is_empty(dir.path() / "out"));
}

TEST_F(TextDialogTest, AddKeepsEachFileOnceAndDeleteAndClearRemoveRows) {
  const QString one = q(dir.path() / "a" / "one.txt");
  choosers.files = {{one, one, q(dir.path() / "a" / "missing.txt")},
                    {one, q(dir.path() / "b" / "one.txt")}};
  dialog.addFiles();
  dialog.addFiles();
  EXPECT_EQ(choosers.filters, std::vector<QString>(2, QStringLiteral("TXT files (*.txt) (*.txt)")));
  ASSERT_EQ(dialog.inputTable()->topLevelItemCount(), 2);  // the same name in two folders
  EXPECT_EQ(dialog.inputTable()->topLevelItem(1)->text(1), q(dir.path() / "b") + u'/');
  EXPECT_EQ(dialog.inputTable()->topLevelItem(1)->text(2), QStringLiteral("5"));
  dialog.inputTable()->topLevelItem(0)->setSelected(true);
  dialog.deleteSelected();
  ASSERT_EQ(dialog.inputs().size(), 1u);
  EXPECT_EQ(dialog.inputs().entries()[0].folder, (dir.path() / "b").string() + "/");
  dialog.clearInputs();
  EXPECT_TRUE(dialog.inputs().empty());
  EXPECT_EQ(dialog.inputTable()->topLevelItemCount(), 0);
}

TEST_F(TextDialogTest, BrowsedFolderFollowsALinkAndEndsInASeparator) {
  fs::create_directory_symlink(dir.path() / "out", dir.path() / "shortcut");
  choosers.folder = q(dir.path() / "shortcut");
  dialog.browseOutputFolder();
  EXPECT_EQ(dialog.outputFolder()->currentText(), q(dir.path() / "out") + u'/');
  EXPECT_EQ(choosers.folderTitles, std::vector<QString>{QStringLiteral("目录选择")});
  choosers.folder.reset();
  dialog.browseOutputFolder();  // cancelled: the folder stays
  EXPECT_EQ(dialog.outputFolder()->currentText(), q(dir.path() / "out") + u'/');
}

}  // namespace
}  // namespace norva::lyr::app
