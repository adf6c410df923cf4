#include "lyrics/app/mpr_batch_dialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QTreeWidget>
#include <filesystem>
#include <functional>

#include "base/recording_prompter.h"
#include "lyrics/app/batch_dialog_support.h"
#include "test_support/qt_test_app.h"
#include "test_support/run_command.h"
#include "test_support/temp_dir.h"

namespace norva::lyr::app {
namespace {

namespace fs = std::filesystem;
using namespace batch_test;

const fs::path kData = NORVA_TEST_DATA_DIR;
const fs::path kLyrics = kData / "lyrics";
const fs::path kMp3 = kData / "audio" / "tone440_44k1_mono_cbr64_noinfo.mp3";

const Message kDone{"转化完毕!", "MP3-->MPR", MessageIcon::Warning, MessageButtons::Ok};
const Message kStopped{"已经取消!", "MP3-->MPR", MessageIcon::Warning, MessageButtons::Ok};
const Message kBusy{"请先取消转换!", "MP3-->MPR", MessageIcon::Information, MessageButtons::Ok};

// Calls `onQuestion` when a question box (the layout warning) is shown, then answers it.
class QuestionHookPrompter : public RecordingPrompter {
 public:
  using RecordingPrompter::RecordingPrompter;
  Answer show(const Message& message) override {
    if (message.buttons != MessageButtons::Ok && onQuestion) onQuestion();
    return RecordingPrompter::show(message);
  }
  std::function<void()> onQuestion;
};

struct MprBatchDialogTest : ::testing::Test {
  void SetUp() override {
    fs::create_directories(mp3s());
    fs::create_directories(lyrics());
    fs::create_directories(out());
  }
  fs::path mp3s() const { return dir.path() / "mp3"; }
  fs::path lyrics() const { return dir.path() / "lyrics"; }
  fs::path out() const { return dir.path() / "out"; }

  QString mp3(const std::string& name) {
    fs::copy_file(kMp3, mp3s() / name, fs::copy_options::overwrite_existing);
    return q(mp3s() / name);
  }

  void prepare(MprBatchDialog& target, const QStringList& files, std::optional<LyricKind> kind) {
    choosers.files = {files};
    target.addFiles();
    target.lyricFolder()->setEditText(q(lyrics()));
    target.outputFolder()->setEditText(q(out()));
    if (kind) target.kindButton(*kind)->setChecked(true);
  }

  QApplication& app = ::norva::testing::offscreenApp<QApplication>();  // before any widget
  TempDir dir;
  QuestionHookPrompter prompter;
  ScriptedChoosers choosers;
  MprBatchDialog dialog{prompter, choosers};
};

// Each lyric kind end to end: "song.mp3" finds "song.<kind>" in the lyric folder and gives
// "song.mpr", the bytes norva batch-mpr writes; an MP3 without its lyric is passed over
// without a message.
TEST_F(MprBatchDialogTest, EachKindConvertsToTheBytesOfTheCommandLine) {
  struct Row {
    LyricKind kind;
    const char* fixture;
    const char* lyric;
    const char* word;
  };
  const Row rows[] = {{LyricKind::Lrc, "song_cn.lrc", "song.lrc", "lrc"},
                      {LyricKind::TimedText, "song_cn.tly", "song.tly", "tly"},
                      {LyricKind::Lyr, "expected/song_cn.lrc.lyr", "song.lyr", "lyr"}};
  const QStringList inputs{mp3("song.mp3"), mp3("nolyric.mp3")};
  prepare(dialog, inputs, std::nullopt);
  for (const Row& row : rows) {
    SCOPED_TRACE(row.lyric);
    fs::remove_all(lyrics());
    fs::create_directories(lyrics());
    fs::copy_file(kLyrics / row.fixture, lyrics() / row.lyric);
    dialog.kindButton(row.kind)->setChecked(true);
    prompter.messages.clear();
    EXPECT_EQ(dialog.start().result, BatchRunResult::Finished);
    EXPECT_EQ(prompter.messages, std::vector<Message>{kDone});
    EXPECT_EQ(names(dialog.outputs()), std::vector<std::string>{"song.mpr"});
    EXPECT_EQ(dialog.progress()->value(), 2);
    EXPECT_FALSE(fs::exists(out() / "nolyric.mpr"));

    TempDir byCommand;
    const CommandResult command =
        runCommand({NORVA_BINARY, "batch-mpr", inputs[0].toStdString(), "--lyrics",
                    lyrics().string(), "--kind", row.word, "-o", byCommand.path().string()});
    ASSERT_EQ(command.exitCode, 0) << command.err;
    const std::string written = readFile(out() / "song.mpr");
    EXPECT_GT(written.size(), fs::file_size(kMp3));
    EXPECT_EQ(written, readFile(byCommand.path() / "song.mpr"));
  }
}

// Stop pressed while a layout warning is open: that file is finished, the next is not begun.
TEST_F(MprBatchDialogTest, StopDuringALayoutWarningFinishesTheFileAndEndsTheRun) {
  writeFile(lyrics() / "a.lrc", kTooManyLines);
  fs::copy_file(kLyrics / "short_en.lrc", lyrics() / "b.lrc");
  prepare(dialog, {mp3("a.mp3"), mp3("b.mp3")}, LyricKind::Lrc);
  prompter.onQuestion = [this] { dialog.stopButton()->click(); };
  EXPECT_EQ(dialog.start().result, BatchRunResult::Stopped);
  ASSERT_EQ(prompter.messages.size(), 2u);
  EXPECT_EQ(prompter.messages[0].caption, "a.mpr");  // the warning, answered No: go on
  EXPECT_EQ(prompter.messages[1], kStopped);
  EXPECT_EQ(names(dialog.outputs()), std::vector<std::string>{"a.mpr"});
  EXPECT_FALSE(fs::exists(out() / "b.mpr"));
  EXPECT_EQ(dialog.progress()->value(), 1);
}

// The window handles its events between two files: a stop posted while the first file is
// converted is heard before the second.
TEST_F(MprBatchDialogTest, EventsPostedDuringAFileAreHandledBeforeTheNext) {
  fs::copy_file(kLyrics / "short_en.lrc", lyrics() / "a.lrc");
  fs::copy_file(kLyrics / "short_en.lrc", lyrics() / "b.lrc");
  prepare(dialog, {mp3("a.mp3"), mp3("b.mp3")}, LyricKind::Lrc);
  QObject::connect(&dialog, &MprBatchDialog::fileDone, [this](const BatchFileReport&) {
    QTimer::singleShot(0, dialog.stopButton(), &QPushButton::click);
  });
  EXPECT_EQ(dialog.start().result, BatchRunResult::Stopped);
  EXPECT_EQ(names(dialog.outputs()), std::vector<std::string>{"a.mpr"});
  EXPECT_EQ(prompter.messages, std::vector<Message>{kStopped});
}

// The output list is emptied by each run and shows only files it wrote: an MPR of the same name
// left from before stays out of it when its lyric fails to compile. "清除(&C)" empties it.
TEST_F(MprBatchDialogTest, OutputListShowsOnlyFilesThisRunWrote) {
  fs::copy_file(kLyrics / "short_en.lrc", lyrics() / "good.lrc");
  writeFile(lyrics() / "bad.lrc", "");
  writeFile(out() / "bad.mpr", "left from before");
  prepare(dialog, {mp3("good.mp3")}, LyricKind::Lrc);
  dialog.start();
  EXPECT_EQ(names(dialog.outputs()), std::vector<std::string>{"good.mpr"});

  dialog.clearInputs();
  prepare(dialog, {mp3("bad.mp3")}, LyricKind::Lrc);
  prompter.messages.clear();
  dialog.start();
  EXPECT_TRUE(dialog.outputs().empty());
  EXPECT_EQ(dialog.outputTable()->topLevelItemCount(), 0);
  EXPECT_EQ(prompter.messages, (std::vector<Message>{{"程序处理缺陷!", "Compile Error information",
                                                      MessageIcon::None, MessageButtons::Ok},
                                                     kDone}));
  EXPECT_EQ(readFile(out() / "bad.mpr"), "left from before");

  dialog.clearInputs();
  prepare(dialog, {mp3("good.mp3")}, LyricKind::Lrc);
  dialog.start();
  ASSERT_EQ(dialog.outputTable()->topLevelItemCount(), 1);
  dialog.clearOutputButton()->click();
  EXPECT_TRUE(dialog.outputs().empty());
  EXPECT_EQ(dialog.outputTable()->topLevelItemCount(), 0);
}

TEST_F(MprBatchDialogTest, RefusalsBeforeAnyFile) {
  struct Row {
    bool files, lyricFolder, outputFolder;
    std::optional<LyricKind> kind;
    const char* text;
  };
  const char* kEmpty = "没有待转换文件或歌词目录 输出目录为空!";
  const char* kNoKind = "请选择相应的歌词文件类型!\r\n TLY  LYR  LRC";
  const QString song = mp3("song.mp3");
  const Row rows[] = {{false, true, true, LyricKind::Lrc, kEmpty},
                      {true, false, true, LyricKind::Lrc, kEmpty},
                      {true, true, false, LyricKind::Lrc, kEmpty},
                      {false, true, true, std::nullopt, kEmpty},
                      {true, true, true, std::nullopt, kNoKind}};
  for (const Row& row : rows) {
    MprBatchDialog fresh(prompter, choosers);
    if (row.files) {
      choosers.files = {{song}};
      fresh.addFiles();
    }
    if (row.lyricFolder) fresh.lyricFolder()->setEditText(q(lyrics()));
    if (row.outputFolder) fresh.outputFolder()->setEditText(q(out()));
    if (row.kind) fresh.kindButton(*row.kind)->setChecked(true);
    prompter.messages.clear();
    fresh.start();
    EXPECT_EQ(
        prompter.messages,
        (std::vector<Message>{{row.text, "MP3-->MPR", MessageIcon::None, MessageButtons::Ok}}));
    EXPECT_TRUE(fresh.startButton()->isEnabled());
    EXPECT_FALSE(fresh.stopButton()->isEnabled());
  }
}

// Enabling of add, delete, clear, both browse buttons, start, stop, the output clear and quit
// before, during and after a run.
TEST_F(MprBatchDialogTest, ButtonsInEachState) {
  const auto buttons = [this] {
    return std::vector<bool>{
        dialog.addButton()->isEnabled(),          dialog.deleteButton()->isEnabled(),
        dialog.clearButton()->isEnabled(),        dialog.browseLyricButton()->isEnabled(),
        dialog.browseOutputButton()->isEnabled(), dialog.startButton()->isEnabled(),
        dialog.stopButton()->isEnabled(),         dialog.clearOutputButton()->isEnabled(),
        dialog.quitButton()->isEnabled(),         dialog.busy()};
  };
  const std::vector<bool> idle{true, true, true, true, true, true, false, true, true, false};
  const std::vector<bool> running{false, false, false, false, false, false, true, true, true, true};
  EXPECT_EQ(buttons(), idle);
  fs::copy_file(kLyrics / "short_en.lrc", lyrics() / "one.lrc");
  prepare(dialog, {mp3("one.mp3"), mp3("two.mp3")}, LyricKind::Lrc);
  std::vector<std::vector<bool>> seen;
  QObject::connect(&dialog, &MprBatchDialog::fileDone,
                   [&](const BatchFileReport&) { seen.push_back(buttons()); });
  dialog.start();
  EXPECT_EQ(seen, (std::vector<std::vector<bool>>(2, running)));
  EXPECT_EQ(buttons(), idle);
}

// Close box, Escape and "退出(&Q)" during a run: each refused with the message.
TEST_F(MprBatchDialogTest, ClosingIsRefusedWhileRunning) {
  fs::copy_file(kLyrics / "short_en.lrc", lyrics() / "one.lrc");
  prepare(dialog, {mp3("one.mp3")}, LyricKind::Lrc);
  dialog.show();
  bool visibleAfterClose = false;
  QObject::connect(&dialog, &MprBatchDialog::fileDone, [&](const BatchFileReport&) {
    dialog.close();
    dialog.reject();
    dialog.quitButton()->click();
    visibleAfterClose = dialog.isVisible();
  });
  dialog.start();
  EXPECT_TRUE(visibleAfterClose);
  EXPECT_EQ(prompter.messages, (std::vector<Message>{kBusy, kBusy, kBusy, kDone}));
  dialog.quitButton()->click();
  EXPECT_FALSE(dialog.isVisible());
}

TEST_F(MprBatchDialogTest, AddFilterAndBrowsedLyricFolderFollowingALink) {
  prepare(dialog, {mp3("one.mp3"), mp3("one.mp3")}, std::nullopt);
  EXPECT_EQ(dialog.inputs().size(), 1u);
  EXPECT_EQ(choosers.filters, std::vector<QString>{QStringLiteral("MP3 files (*.mp3) (*.mp3)")});
  fs::create_directory_symlink(lyrics(), dir.path() / "shortcut");
  choosers.folder = q(dir.path() / "shortcut");
  dialog.browseLyricButton()->click();
  EXPECT_EQ(dialog.lyricFolder()->currentText(), q(lyrics()) + u'/');
  choosers.folder = q(out());
  dialog.browseOutputButton()->click();
  EXPECT_EQ(dialog.outputFolder()->currentText(), q(out()) + u'/');
}

}  // namespace
}  // namespace norva::lyr::app
