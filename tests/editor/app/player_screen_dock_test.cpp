// The player's screen beside the text: hidden until asked for and remembered, following the
// audio position and, after a short delay, the edits; the compile's message instead of a screen.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QSettings>

#include "base/recording_prompter.h"
#include "base/service/file_io.h"
#include "desktop/program_settings.h"
#include "desktop/scripted_file_dialogs.h"
#include "editor/app/lyric_edit.h"
#include "editor/app/player_face_view.h"
#include "editor/app/player_screen_dock.h"
#include "audio/fake_media_player.h"
#include "editor/app/sontrava_window.h"
#include "editor/editor_messages.h"
#include "preview/app/manual_ticks.h"
#include "test_support/qt_test_app.h"
#include "test_support/temp_dir.h"

namespace norva::editor {
namespace {

class PlayerScreenDockTest : public ::testing::Test {
 protected:
  PlayerScreenDockTest() {
    norva::testing::offscreenApp<QApplication>();
    ::setenv("XDG_CONFIG_HOME", (dir.path() / "config").c_str(), 1);
    desktop::setProgramIdentity(QString::fromUtf8(text::kAppName.data()));
    settings = desktop::openProgramSettings(QString::fromUtf8(text::kAppName.data()));
    window = makeWindow();
  }

  // `ownAudio`: the dock follows the window's own player instead of `position`.
  std::unique_ptr<SontravaWindow> makeWindow(bool ownAudio = false) {
    ticks.clear();
    SontravaEnvironment env;
    env.prompter = &prompter;
    env.dialogs = &dialogs;
    env.settings = settings.get();
    env.mediaPlayer = &editorPlayer;
    env.makeTicks = [this] {
      auto made = std::make_unique<preview::ManualTicks>();
      ticks.push_back(made.get());
      return made;
    };
    auto made = std::make_unique<SontravaWindow>(env);
    made->show();
    if (!ownAudio) made->setAudioLink({[this] { return position; }, {}, {}});
    return made;
  }

  // The dock's timers, in the order it makes them.
  preview::ManualTicks& positionTicks() { return *ticks.at(0); }
  preview::ManualTicks& compileTicks() { return *ticks.at(1); }

  void open(const std::string& gbk, const char* name = "song.tly") {
    ASSERT_TRUE(
        writeFileAtomically(dir.path() / name,
                            std::span(reinterpret_cast<const uint8_t*>(gbk.data()), gbk.size()))
            .ok());
    ASSERT_EQ(window->openPath(QString::fromStdString((dir.path() / name).string())),
              CommandOutcome::Done);
  }

  QString shownAt(double seconds) {
    position = seconds;
    positionTicks().fire();
    return window->playerScreen()->face()->screen();
  }

  TempDir dir;
  RecordingPrompter prompter;
  desktop::ScriptedFileDialogs dialogs;
  std::unique_ptr<QSettings> settings;
  std::vector<preview::ManualTicks*> ticks;
  std::optional<double> position;
  audio::FakeMediaPlayer editorPlayer;  // the sync commands' audio
  std::unique_ptr<SontravaWindow> window;
};

TEST_F(PlayerScreenDockTest, HiddenUntilAskedForAndRememberedInTheSettings) {
  EXPECT_FALSE(window->playerScreen()->isVisible());
  window->refreshCommands();
  EXPECT_FALSE(window->action(command::kPlayerScreen)->isChecked());
  EXPECT_EQ(window->action(command::kPlayerScreen)->text(), QStringLiteral("小机屏幕"));
  EXPECT_TRUE(window->menu(Menu::View)->actions().contains(window->action(command::kPlayerScreen)));

  EXPECT_EQ(window->execute(command::kPlayerScreen), CommandOutcome::Done);
  EXPECT_TRUE(window->playerScreen()->isVisible());
  EXPECT_TRUE(window->action(command::kPlayerScreen)->isChecked());
  EXPECT_TRUE(positionTicks().active());
  EXPECT_EQ(positionTicks().interval(), std::chrono::milliseconds(100));

  window = makeWindow();  // the next start shows it again
  EXPECT_TRUE(window->playerScreen()->isVisible());
  window->playerScreen()->close();  // its own close button
  EXPECT_FALSE(positionTicks().active());
  window = makeWindow();
  EXPECT_FALSE(window->playerScreen()->isVisible());
}

TEST_F(PlayerScreenDockTest, FollowsTheAudioPosition) {
  open("title\r\n<1000>one\r\n<3500>two<br>lines");
  window->execute(command::kPlayerScreen);
  struct Row {
    std::optional<double> seconds;  // nothing: no audio open
    QString screen;
  };
  const std::vector<Row> rows{
      {std::nullopt, QString()},
      {0.5, QString()},
      {1.1, QStringLiteral("one")},
      {3.6, QStringLiteral("two\rlines")},
      {120.0, QStringLiteral("two\rlines")},
      {1.0, QString()},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(shownAt(row.seconds.value_or(-1)), row.screen);
    if (!row.seconds) {
      position.reset();
      positionTicks().fire();
      EXPECT_EQ(window->playerScreen()->face()->screen(), row.screen);
    }
  }
  EXPECT_EQ(window->playerScreen()->lyric().fontClass(), 2);  // ASCII text: the 8 x 8 font
}

TEST_F(PlayerScreenDockTest, EditsAreCompiledOnceAfterTheDelay) {
  open("<1000>one\r\n<2000>two");
  window->execute(command::kPlayerScreen);
  EXPECT_EQ(shownAt(2.5), QStringLiteral("two"));
  const int startsBefore = compileTicks().starts();
  window->edit()->moveCursor(QTextCursor::End);
  for (const char* key : {"s", "!"}) window->edit()->insertPlainText(QString::fromLatin1(key));
  EXPECT_EQ(compileTicks().starts(), startsBefore + 1);  // one compile for the burst
  EXPECT_EQ(compileTicks().interval(), std::chrono::milliseconds(500));
  EXPECT_EQ(shownAt(2.5), QStringLiteral("two"));  // not compiled yet
  compileTicks().fire();
  EXPECT_FALSE(compileTicks().active());
  EXPECT_EQ(window->playerScreen()->face()->screen(), QStringLiteral("twos!"));
}

TEST_F(PlayerScreenDockTest, TextThatDoesNotCompileShowsTheMessage) {
  // An LRC document compiles as LRC: a line of 256 bytes and its CR LF is error 5.
  open("[00:01.00]" + std::string(246, 'a') + "\r\n", "song.lrc");
  window->execute(command::kPlayerScreen);
  shownAt(3.0);
  EXPECT_EQ(window->playerScreen()->face()->message(), QStringLiteral("单屏显示字符过长!"));
  EXPECT_EQ(window->playerScreen()->face()->screen(), QString());
  EXPECT_TRUE(prompter.messages.empty());  // the live compile asks and tells nothing

  // Corrected, it shows the screen after the delay.
  window->edit()->setPlainText(QStringLiteral("[00:01.00]short"));
  compileTicks().fire();
  EXPECT_EQ(window->playerScreen()->face()->message(), QString());
  EXPECT_EQ(window->playerScreen()->face()->screen(), QStringLiteral("short"));
}

// Without a link of the test's own, the screen follows the song the window's audio commands play.
TEST_F(PlayerScreenDockTest, FollowsTheSongOfTheAudioCommands) {
  window = makeWindow(true);
  open("title\r\n<1000>one\r\n<3500>two");
  window->execute(command::kPlayerScreen);
  positionTicks().fire();
  EXPECT_EQ(window->playerScreen()->face()->screen(), QString());  // no audio open

  ASSERT_TRUE(writeFileAtomically(dir.path() / "song.mp3", std::string("ID3")).ok());
  editorPlayer.addFile(dir.path() / "song.mp3", 60.0);
  dialogs.open.answers = {QString::fromStdString((dir.path() / "song.mp3").string())};
  ASSERT_EQ(window->execute(command::kOpenAudio), CommandOutcome::Done);
  editorPlayer.advance(1.5);
  positionTicks().fire();
  EXPECT_EQ(window->playerScreen()->face()->screen(), QStringLiteral("one"));
  editorPlayer.advance(2.5);
  positionTicks().fire();
  EXPECT_EQ(window->playerScreen()->face()->screen(), QStringLiteral("two"));
}

}  // namespace
}  // namespace norva::editor
