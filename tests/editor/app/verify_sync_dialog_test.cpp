// The verify dialog with a fake player and timers fired by hand, and the window's SAMI commands.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

#include "audio/fake_media_player.h"
#include "base/recording_prompter.h"
#include "base/service/file_io.h"
#include "desktop/scripted_file_dialogs.h"
#include "editor/app/sontrava_window.h"
#include "editor/app/verify_sync_dialog.h"
#include "editor/service/scripted_file_chooser.h"
#include "preview/app/manual_ticks.h"
#include "test_support/qt_test_app.h"
#include "test_support/temp_dir.h"

namespace norva::editor {
namespace {

using audio::FakeMediaPlayer;

// Two screens: "one" at 3 s and, at 5.5 s, a Chinese line and a second line.
const std::string kSami =
    "<SAMI>\r\n<BODY>\r\n<SYNC Start=3000>\r\n<P Class=ENCC>one\r\n\r\n"
    "<SYNC Start=5500>\r\n<P Class=ENCC>\xC4\xE3\xBA\xC3<br>two\r\n\r\n</BODY>\r\n</SAMI>";

class VerifySyncDialogTest : public ::testing::Test {
 protected:
  VerifySyncDialogTest() {
    norva::testing::offscreenApp<QApplication>();
    EXPECT_TRUE(
        writeFileAtomically(dir.path() / "song.smi",
                            std::span(reinterpret_cast<const uint8_t*>(kSami.data()), kSami.size()))
            .ok());
    auto fake = std::make_unique<FakeMediaPlayer>();
    player = fake.get();
    player->addFile(dir.path() / "song.wav", 60.0);
    player->addFile(dir.path() / "other.mp3", 60.0);
    VerifySyncEnvironment env;
    env.prompter = &prompter;
    env.chooser = &chooser;
    env.player = std::move(fake);
    env.makeTicks = [this] {
      auto made = std::make_unique<preview::ManualTicks>();
      ticks = made.get();
      return made;
    };
    dialog = std::make_unique<CVerifySyncDlg>(dir.path() / "song.wav", std::move(env));
  }

  // Moves the fake clock on and lets the 100 ms timer step.
  void playFor(double seconds) {
    player->advance(seconds);
    ticks->fire();
  }

  TempDir dir;
  RecordingPrompter prompter;
  ScriptedFileChooser chooser;
  FakeMediaPlayer* player = nullptr;
  preview::ManualTicks* ticks = nullptr;
  std::unique_ptr<CVerifySyncDlg> dialog;
};

TEST_F(VerifySyncDialogTest, OpensWithTheHandedOverAudioAndItsControls) {
  EXPECT_EQ(dialog->windowTitle(), QStringLiteral("验证音频和SAMI同步"));
  EXPECT_EQ(dialog->audioBox()->text().toStdString(), (dir.path() / "song.wav").string());
  EXPECT_EQ(dialog->samiBox()->text(), QString());
  EXPECT_EQ(dialog->audioButton()->text(), QStringLiteral("浏览 ->音频文件"));
  EXPECT_EQ(dialog->samiButton()->text(), QStringLiteral("浏览 ->SMI文件"));
  EXPECT_EQ(dialog->playButton()->text(), QStringLiteral("播放"));
  EXPECT_TRUE(dialog->playButton()->isDefault());
  ASSERT_TRUE(ticks->active());
  EXPECT_EQ(ticks->interval(), std::chrono::milliseconds(100));
  dialog->reject();
  EXPECT_FALSE(ticks->active());
}

TEST_F(VerifySyncDialogTest, BrowseButtonsOfferTheirFiltersAndSetThePaths) {
  chooser.push(ChosenFile{dir.path() / "other.mp3", 2});
  chooser.push(std::nullopt);  // the SAMI dialog cancelled: nothing changes
  chooser.push(ChosenFile{dir.path() / "song.smi", 0});
  dialog->audioButton()->click();
  dialog->samiButton()->click();
  EXPECT_EQ(dialog->samiPath(), std::filesystem::path());
  dialog->samiButton()->click();
  EXPECT_EQ(dialog->audioPath(), dir.path() / "other.mp3");
  EXPECT_EQ(dialog->audioBox()->text().toStdString(), (dir.path() / "other.mp3").string());
  EXPECT_EQ(dialog->samiBox()->text().toStdString(), (dir.path() / "song.smi").string());

  ASSERT_EQ(chooser.openRequests.size(), 3u);
  const std::vector<FileFilter> audio{
      {"声音文件", "*.wav;*.mp3;*.aiff;*.au;*.aiff;*.aif;*.aifc;*.au;*.snd"},
      {"Wav files (*.wav)", "*.wav"},
      {"MP3 Files(*.mp3)", "*.mp3"},
      {"AIFF (*.aiff *.aif *.aifc)", "*.aiff;*.aif;*.aifc"},
      {"SUN AU (*.au *.snd)", "*.au;*.snd"}};
  EXPECT_EQ(chooser.openRequests[0].filters, audio);
  EXPECT_EQ(chooser.openRequests[2].filters,
            (std::vector<FileFilter>{{"SAMI Files(*.smi)", "*.smi"}}));
  // Text typed into a box is not used.
  dialog->samiBox()->setReadOnly(false);
  dialog->samiBox()->setText(QStringLiteral("typed.smi"));
  EXPECT_EQ(dialog->samiPath(), dir.path() / "song.smi");
}

TEST_F(VerifySyncDialogTest, PlayShowsThePlayersScreensAsTheAudioGoesOn) {
  chooser.push(ChosenFile{dir.path() / "song.smi", 0});
  dialog->samiButton()->click();
  ticks->fire();  // before play: nothing to show
  EXPECT_EQ(dialog->screenText(), QString());
  dialog->playButton()->click();
  EXPECT_EQ(player->log().back(), "open song.wav");
  struct Step {
    double advance;
    QString screen;
  };
  const std::vector<Step> steps{
      {0.0, QString()},  // at 0 ms nothing is looked up
      {0.1, QStringLiteral(" ")},
      {2.8, QStringLiteral(" ")},
      {0.1, QStringLiteral("one\r\n")},
      {2.5, QStringLiteral("你好\r\ntwo\r\n")},
      {30.0, QStringLiteral("你好\r\ntwo\r\n")},
  };
  for (const Step& step : steps) {
    playFor(step.advance);
    EXPECT_EQ(dialog->screenText(), step.screen) << player->position();
  }
  EXPECT_EQ(dialog->screenBox()->toPlainText(), QStringLiteral("你好\ntwo\n"));
  EXPECT_TRUE(prompter.messages.empty());

  // Playing again starts the audio and the screens over.
  dialog->playButton()->click();
  playFor(0.5);
  EXPECT_EQ(dialog->screenText(), QStringLiteral(" "));
}

TEST_F(VerifySyncDialogTest, AMissingSamiFileStillPlaysTheAudio) {
  dialog->playButton()->click();
  playFor(4.0);
  EXPECT_EQ(player->log().back(), "open song.wav");
  EXPECT_FALSE(dialog->verify().hasTimetable());
  EXPECT_EQ(dialog->screenText(), QString());
}

TEST_F(VerifySyncDialogTest, PlayerErrorsAreReportedOncePerPressOfPlay) {
  const Message decodeError{"broken", "NORVA MP3编辑软件", MessageIcon::Error, MessageButtons::Ok};
  const Message noCard{"音频硬件无效。", "NORVA MP3编辑软件", MessageIcon::Error,
                       MessageButtons::Ok};
  dialog->playButton()->click();
  player->failWith("broken");
  ticks->fire(3);
  EXPECT_EQ(prompter.messages, std::vector<Message>{decodeError});

  dialog->playButton()->click();
  player->failWith("broken");
  ticks->fire(3);
  EXPECT_EQ(prompter.messages, (std::vector<Message>{decodeError, decodeError}));

  player->setSoundCardPresent(false);
  dialog->playButton()->click();
  ticks->fire(3);
  EXPECT_EQ(prompter.messages, (std::vector<Message>{decodeError, decodeError, noCard}));
}

class SontravaSamiCommandsTest : public ::testing::Test {
 protected:
  SontravaSamiCommandsTest() {
    norva::testing::offscreenApp<QApplication>();
    SontravaEnvironment env;
    env.prompter = &prompter;
    env.dialogs = &dialogs;
    env.makeTicks = preview::makeManualTicks;
    env.mediaPlayer = &editorPlayer;
    env.makeVerifyPlayer = [this] {
      auto fake = std::make_unique<FakeMediaPlayer>();
      ++playersMade;
      return fake;
    };
    window = std::make_unique<SontravaWindow>(env);
  }

  QString path(const char* name) const {
    return QString::fromStdString((dir.path() / name).string());
  }

  TempDir dir;
  RecordingPrompter prompter;
  desktop::ScriptedFileDialogs dialogs;
  int playersMade = 0;
  audio::FakeMediaPlayer editorPlayer;  // the sync commands' audio
  std::unique_ptr<SontravaWindow> window;
};

TEST_F(SontravaSamiCommandsTest, ExportWritesTheSamiFileAndAsksBeforeReplacingAnother) {
  const std::string tly = "<1000>first\r\nsecond";
  ASSERT_TRUE(
      writeFileAtomically(dir.path() / "song.tly",
                          std::span(reinterpret_cast<const uint8_t*>(tly.data()), tly.size()))
          .ok());
  ASSERT_EQ(window->openPath(path("song.tly")), CommandOutcome::Done);
  EXPECT_TRUE(window->action(command::kTlyToSami)->isEnabled());

  const std::string old = "old";
  ASSERT_TRUE(writeFileAtomically(dir.path() / "out.smi",
                                  std::span(reinterpret_cast<const uint8_t*>(old.data()), 3))
                  .ok());
  prompter = RecordingPrompter({Answer::No});
  dialogs.save.answers.push_back(path("out"));
  EXPECT_EQ(window->execute(command::kTlyToSami), CommandOutcome::Cancelled);
  ASSERT_EQ(prompter.messages.size(), 1u);
  EXPECT_EQ(prompter.messages[0].caption, "另存为");
  EXPECT_EQ(prompter.messages[0].buttons, MessageButtons::YesNo);
  EXPECT_EQ(readWholeFile(dir.path() / "out.smi").bytes.size(), 3u);

  prompter = RecordingPrompter({Answer::Yes});
  dialogs.save.answers.push_back(path("out"));
  EXPECT_EQ(window->execute(command::kTlyToSami), CommandOutcome::Done);
  const ReadResult written = readWholeFile(dir.path() / "out.smi");
  const std::string smi(written.bytes.begin(), written.bytes.end());
  EXPECT_TRUE(
      smi.ends_with("<BODY>\r\n<Sync Start=1000>\r\n<P Class=ENCC>first\r\n"
                    "<P Class=ENCC>second\r\n\r\n</BODY>\r\n</SAMI>"))
      << smi;
}

TEST_F(SontravaSamiCommandsTest, VerifyStopsTheEditorsAudioAndOpensWithItsPath) {
  int stops = 0;
  window->setAudioLink({[] { return std::optional<double>(1.0); },
                        [this] { return dir.path() / "song.wav"; }, [&stops] { ++stops; }});
  QString shownAudio;
  QTimer::singleShot(0, [&shownAudio] {
    auto* shown = qobject_cast<CVerifySyncDlg*>(QApplication::activeModalWidget());
    if (shown == nullptr) return;
    shownAudio = shown->audioBox()->text();
    shown->reject();
  });
  EXPECT_EQ(window->execute(command::kVerifySync), CommandOutcome::Done);
  EXPECT_EQ(stops, 1);
  EXPECT_EQ(playersMade, 1);
  EXPECT_EQ(shownAudio.toStdString(), (dir.path() / "song.wav").string());
}

}  // namespace
}  // namespace norva::editor
