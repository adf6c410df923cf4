#include "lyrics/app/mpr_convert_dialog.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "base/recording_prompter.h"
#include "desktop/scripted_file_dialogs.h"
#include "test_support/qt_test_app.h"
#include "test_support/run_command.h"
#include "test_support/temp_dir.h"

namespace norva::lyr::app {
namespace {

namespace fs = std::filesystem;

const fs::path kData = NORVA_TEST_DATA_DIR;
const fs::path kMp3 = kData / "audio" / "song_cn_speech_44k1_stereo_cbr128.mp3";

std::string readFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Records, with every message, whether "退出(&Q)" could be pressed at that moment.
class WatchingPrompter : public RecordingPrompter {
 public:
  Answer show(const Message& message) override {
    if (dialog != nullptr) quitEnabled.push_back(dialog->quitButton()->isEnabled());
    return RecordingPrompter::show(message);
  }
  MprConvertDialog* dialog = nullptr;
  std::vector<bool> quitEnabled;
};

struct MprDialogTest : ::testing::Test {
  MprToolResult convert(const fs::path& mp3, const fs::path& lyric) {
    dialog.mp3Path()->setText(QString::fromStdString(mp3.string()));
    dialog.lyricPath()->setText(QString::fromStdString(lyric.string()));
    return dialog.convert();
  }

  QApplication& app = testing::offscreenApp<QApplication>();  // before any widget
  TempDir dir;
  WatchingPrompter prompter;
  desktop::ScriptedFileDialogs dialogs;
  MprConvertDialog dialog{prompter, dialogs};
};

const Message kDone{"转化完毕!", "MPR转换工具", MessageIcon::None, MessageButtons::Ok};
const Message kCreateFailed{"Create file failure!", "Compile Error information", MessageIcon::None,
                            MessageButtons::Ok};

TEST_F(MprDialogTest, ConvertsTheFixturePairToTheBytesOfTheCommandLine) {
  struct Row {
    const char* lyric;  // under tests/data/lyrics
    const char* as;     // the name it gets beside the MP3
  };
  const Row rows[] = {{"song_cn.lrc", "song.lrc"}, {"expected/song_cn.lrc.lyr", "song.lyr"}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.lyric);
    TempDir work;
    fs::copy_file(kMp3, work.path() / "song.mp3");
    fs::copy_file(kData / "lyrics" / row.lyric, work.path() / row.as);
    const fs::path expected = work.path() / "by_command.mpr";
    const CommandResult command =
        runCommand({NORVA_BINARY, "mpr", (work.path() / "song.mp3").string(),
                    (work.path() / row.as).string(), "-o", expected.string()});
    ASSERT_EQ(command.exitCode, 0) << command.err;

    prompter.messages.clear();
    prompter.dialog = &dialog;
    prompter.quitEnabled.clear();
    EXPECT_EQ(convert(work.path() / "song.mp3", work.path() / row.as), MprToolResult::Done);
    EXPECT_EQ(prompter.messages, std::vector<Message>{kDone});
    EXPECT_EQ(prompter.quitEnabled, std::vector<bool>{false});  // disabled while converting
    EXPECT_TRUE(dialog.quitButton()->isEnabled());
    const std::string written = readFile(work.path() / "song.MPR");
    EXPECT_EQ(written.size(), fs::file_size(expected));
    EXPECT_TRUE(written == readFile(expected));
  }
}

TEST_F(MprDialogTest, TimedTextIsReadAsLyrAndRefused) {
  fs::copy_file(kMp3, dir.path() / "song.mp3");
  fs::copy_file(kData / "lyrics" / "song_cn.tly", dir.path() / "song.tly");
  EXPECT_EQ(convert(dir.path() / "song.mp3", dir.path() / "song.tly"), MprToolResult::Failed);
  ASSERT_EQ(prompter.messages.size(), 1u);
  EXPECT_EQ(prompter.messages[0].text, "歌词文件不是有效的LYR文件!");
  EXPECT_FALSE(fs::exists(dir.path() / "song.MPR"));
}

TEST_F(MprDialogTest, EmptyPathIsRefusedWithItsMessage) {
  struct Row {
    bool mp3, lyric;
  };
  for (const Row row : {Row{false, true}, Row{true, false}, Row{false, false}}) {
    prompter.messages.clear();
    EXPECT_EQ(
        convert(row.mp3 ? kMp3 : fs::path(), row.lyric ? kData / "lyrics/song_cn.lrc" : fs::path()),
        MprToolResult::NoPaths);
    EXPECT_EQ(prompter.messages, (std::vector<Message>{{"请选择MP3或LYR文件!", "MPR转换工具",
                                                        MessageIcon::None, MessageButtons::Ok}}));
    EXPECT_TRUE(dialog.quitButton()->isEnabled());
  }
}

TEST_F(MprDialogTest, AnOutputThatIsTheMp3ItselfIsRefusedAndTheMp3Kept) {
  // "song.MPR" as the MP3: its MPR file would be the file itself.
  const fs::path mp3 = dir.path() / "song.MPR";
  fs::copy_file(kMp3, mp3);
  fs::copy_file(kData / "lyrics" / "song_cn.lrc", dir.path() / "song.lrc");
  const std::string before = readFile(mp3);
  EXPECT_EQ(convert(mp3, dir.path() / "song.lrc"), MprToolResult::OutputIsMp3);
  EXPECT_EQ(prompter.messages, std::vector<Message>{kCreateFailed});
  EXPECT_TRUE(readFile(mp3) == before);
}

TEST_F(MprDialogTest, AFailedOutputIsErrorThreeWithNoSuccessMessage) {
  fs::copy_file(kMp3, dir.path() / "song.mp3");
  fs::copy_file(kData / "lyrics" / "song_cn.lrc", dir.path() / "song.lrc");
  // A folder in the MPR file's place cannot be replaced by a file, even by root.
  fs::create_directory(dir.path() / "song.MPR");
  EXPECT_EQ(convert(dir.path() / "song.mp3", dir.path() / "song.lrc"), MprToolResult::Failed);
  EXPECT_EQ(prompter.messages, std::vector<Message>{kCreateFailed});
  EXPECT_TRUE(fs::is_directory(dir.path() / "song.MPR"));
  EXPECT_TRUE(dialog.quitButton()->isEnabled());
}

TEST_F(MprDialogTest, AReadOnlyFolderIsErrorThreeWithNoSuccessMessage) {
  if (::geteuid() == 0) GTEST_SKIP() << "root writes into read-only folders";
  const fs::path folder = dir.path() / "locked";
  fs::create_directory(folder);
  fs::copy_file(kMp3, folder / "song.mp3");
  fs::copy_file(kData / "lyrics" / "song_cn.lrc", folder / "song.lrc");
  fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec);
  const MprToolResult result = convert(folder / "song.mp3", folder / "song.lrc");
  fs::permissions(folder, fs::perms::owner_all);
  EXPECT_EQ(result, MprToolResult::Failed);
  EXPECT_EQ(prompter.messages, std::vector<Message>{kCreateFailed});
  EXPECT_FALSE(fs::exists(folder / "song.MPR"));
}

TEST_F(MprDialogTest, BrowseFillsTheFieldWithItsFilters) {
  dialogs.open.answers = {QStringLiteral("/music/a.mp3"), QStringLiteral("/music/a.lrc"),
                          std::nullopt};
  dialog.browseMp3();
  dialog.browseLyric();
  dialog.browseLyric();  // cancelled: the field stays
  EXPECT_EQ(dialog.mp3Path()->text(), QStringLiteral("/music/a.mp3"));
  EXPECT_EQ(dialog.lyricPath()->text(), QStringLiteral("/music/a.lrc"));
  ASSERT_EQ(dialogs.open.setups.size(), 3u);
  EXPECT_EQ(dialogs.open.setups[0].filter, QStringLiteral("MP3 files (*.MP3) (*.mp3)"));
  EXPECT_EQ(dialogs.open.setups[1].filter,
            QStringLiteral("歌词转换文件(*.LYR;*.LRC) (*.LYR *.LRC);;lyr files (*.LYR) (*.lyr);;"
                           "lrc files (*.LRC) (*.lrc)"));
}

}  // namespace
}  // namespace norva::lyr::app
