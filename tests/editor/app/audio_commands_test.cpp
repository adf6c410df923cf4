// The editor's audio commands in the main window on the offscreen platform, with the fake
// player: its clock moves only when a test advances it, and the poll runs when a test calls it.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QTextBlock>
#include <QTimer>
#include <QToolBar>
#include <map>
#include <sstream>

#include "audio/fake_media_player.h"
#include "audio/null_output.h"
#include "audio/service/media_player.h"
#include "base/recording_prompter.h"
#include "base/service/file_io.h"
#include "desktop/scripted_file_dialogs.h"
#include "editor/app/audio_commands.h"
#include "editor/app/lyric_edit.h"
#include "editor/app/set_position_dialog.h"
#include "editor/app/sontrava_window.h"
#include "editor/editor_messages.h"
#include "editor/save_prompt.h"
#include "test_support/qt_test_app.h"
#include "test_support/temp_dir.h"

namespace norva::editor {
namespace {

using namespace command;

class NoPrinter : public TextPrinter {
 public:
  void print(const QTextDocument&, QWidget*) override {}
  void printDirect(const QTextDocument&, QWidget*) override {}
  void preview(const QTextDocument&, QWidget*) override {}
  void pageSetup(QWidget*) override {}
};

class AudioCommandsTest : public ::testing::Test {
 protected:
  AudioCommandsTest() {
    norva::testing::offscreenApp<QApplication>();
    ::setenv("XDG_CONFIG_HOME", (dir.path() / "config").c_str(), 1);
    makeWindow();
  }

  // A new window on a new player.
  void makeWindow() {
    window.reset();
    player = audio::FakeMediaPlayer();
    SontravaEnvironment env;
    env.prompter = &prompter;
    env.dialogs = &dialogs;
    env.printer = &printer;
    env.mediaPlayer = &player;
    window = std::make_unique<SontravaWindow>(env);
    window->show();
  }

  QString path(const char* name) const {
    return QString::fromStdString((dir.path() / name).string());
  }

  // The view holds `text` and a one-minute song is open and playing from 0 s.
  void openSong(const QString& text) {
    window->edit()->setPlainText(text);
    ASSERT_TRUE(writeFileAtomically(dir.path() / "song.mp3", std::string("ID3")).ok());
    player.addFile(dir.path() / "song.mp3", 60.0);
    dialogs.open.answers = {path("song.mp3")};
    prompter = RecordingPrompter({Answer::No});  // the text is not saved first
    ASSERT_EQ(window->execute(kOpenAudio), CommandOutcome::Done);
    prompter = RecordingPrompter();
  }

  // Runs steps separated by blanks: "+S" moves the clock on by S seconds, "@S" seeks to S,
  // "Cn" puts the caret in paragraph n and syncs from there, and the letters S Sync, B Step
  // back, F forward and R back one second, T Stop, P Play.
  void run(const std::string& steps) {
    std::istringstream in(steps);
    std::string step;
    const std::map<char, int> commands{{'S', kSync},     {'B', kStepBack}, {'F', kForward},
                                       {'R', kBackward}, {'T', kStop},     {'P', kPlay}};
    while (in >> step) {
      SCOPED_TRACE(step);
      const std::string value = step.substr(1);
      if (step[0] == '+') {
        player.advance(std::stod(value));
      } else if (step[0] == '@') {
        player.setPosition(std::stod(value));
      } else if (step[0] == 'C') {
        const QTextBlock block = window->edit()->document()->findBlockByNumber(std::stoi(value));
        QTextCursor cursor = window->edit()->textCursor();
        cursor.setPosition(block.position() + block.length() / 2);
        window->edit()->setTextCursor(cursor);
        EXPECT_EQ(window->execute(kSyncFromCursor), CommandOutcome::Done);
      } else {
        window->execute(commands.at(step[0]));
      }
    }
  }

  QString view() const { return window->edit()->toPlainText(); }
  int syncCount() const { return window->session().document().syncCount(); }

  TempDir dir;
  RecordingPrompter prompter;
  desktop::ScriptedFileDialogs dialogs;
  NoPrinter printer;
  audio::FakeMediaPlayer player;
  std::unique_ptr<SontravaWindow> window;
};

TEST_F(AudioCommandsTest, OpenAudioMakesAModifiedTlyNamedAfterTheSongAndPlaysIt) {
  window->edit()->setPlainText(QStringLiteral("歌"));
  ASSERT_TRUE(writeFileAtomically(dir.path() / "Song.v2.mp3", std::string("ID3")).ok());
  player.addFile(dir.path() / "Song.v2.mp3", 60.0);
  // Cancelled, a file that cannot be read, then the song.
  dialogs.open.answers = {std::nullopt, path("missing.mp3"), path("Song.v2.mp3")};
  prompter = RecordingPrompter({Answer::No, Answer::No, Answer::No});
  EXPECT_EQ(window->execute(kOpenAudio), CommandOutcome::Cancelled);
  EXPECT_EQ(window->execute(kOpenAudio), CommandOutcome::Refused);
  EXPECT_TRUE(window->session().document().untitled());
  EXPECT_TRUE(player.log().empty());
  EXPECT_EQ(window->execute(kOpenAudio), CommandOutcome::Done);

  EXPECT_EQ(prompter.messages.at(0), savePrompt(SavePromptCaller::AudioOpen, "Untitled"));
  EXPECT_EQ(dialogs.open.setups.at(0).filter,
            QStringLiteral("音频文件 (*.wav *.mp3 *.aiff *.au *.aiff *.aif *.aifc *.au "
                           "*.snd);;Windows (*.wav);;MP3 Files(*.mp3);;AIFF (*.aiff,*.aif,*.aifc) "
                           "(*.aiff *.aif *.aifc);;SUN AU (*.au,*.snd) (*.au *.snd)"));
  const LyricDocument& document = window->session().document();
  EXPECT_EQ(document.path(), dir.path() / "Song.v2.TLY");
  EXPECT_EQ(document.type(), LyricFileType::Tly);
  EXPECT_TRUE(document.modified());
  EXPECT_EQ(window->windowTitle(), QStringLiteral("Song.v2.TLY - NORVA MP3歌词编辑软件"));
  EXPECT_TRUE(window->session().recentFiles().entries().empty());
  EXPECT_EQ(view(), QStringLiteral("歌"));
  EXPECT_EQ(player.log(), std::vector<std::string>{"open Song.v2.mp3"});
  EXPECT_TRUE(window->audioCommands().pollTimer().isActive());
}

// The synchronisation as the user drives it: tags cut to 100 ms, the count, Step back's rewind,
// the position commands and Sync from cursor paragraph.
TEST_F(AudioCommandsTest, SyncStepBackAndPositionCommands) {
  struct Row {
    const char* text;
    const char* steps;
    const char* after;
    int count;
    double position;
  };
  const Row rows[] = {
      {"a\nb\nc", "+12.399 S", "<12300>a\nb\nc", 1, 12.399},
      {"a\nb\nc", "+0.05 S", "<0>a\nb\nc", 1, 0.05},
      // Past the last paragraph Sync does nothing and the count stays.
      {"a\nb\nc", "+1 S +1 S +1 S +1 S", "<1000>a\n<2000>b\n<3000>c", 3, 4.0},
      {"a\nb\nc", "@1 S @3 S @7.65 S @9 B", "<1000>a\n<3000>b\nc", 2, 7.6},
      {"a\nb\nc", "@1 S @3 S @7.65 S @9 B +0.55 S", "<1000>a\n<3000>b\n<8100>c", 3, 8.15},
      {"<500>a\nb", "+4 B", "<500>a\nb", 0, 0.0},
      {"a", "@0.4 R", "a", 0, 0.0},
      {"a", "@2.5 R", "a", 0, 1.5},
      {"a", "@0.4 F", "a", 0, 1.4},
      {"a\nb", "+1 S T P +2 S", "<2000><1000>a\nb", 1, 2.0},
      {"p0\np1\np2\np3\np4\n歌词5\np6", "C5 +3 S", "p0\np1\np2\np3\np4\n<3000>歌词5\np6", 6, 3.0},
      // Step back leaves a paragraph alone that does not start with a valid time tag.
      {"<br>a\nb", "C1 @5 B", "<br>a\nb", 1, 5.0},
      {"<12x>a\nb", "C1 @5 B", "<12x>a\nb", 1, 5.0},
      {"<>a\nb", "C1 @5 B", "<>a\nb", 1, 5.0},
      {"a<100>\nb", "C1 @5 B", "a<100>\nb", 1, 5.0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(std::string(row.text) + " / " + row.steps);
    makeWindow();
    openSong(QString::fromUtf8(row.text));
    run(row.steps);
    EXPECT_EQ(view(), QString::fromUtf8(row.after));
    EXPECT_EQ(syncCount(), row.count);
    EXPECT_NEAR(player.position(), row.position, 1e-9);
  }
}

// A tag that does not fit whole in the view's room (32,767 bytes) is not inserted.
TEST_F(AudioCommandsTest, SyncInsertsTheTagOnlyWhenItFitsTheTextLimit) {
  struct Row {
    int bytesBefore;  // "<1000>" adds 6
    bool tagged;
  };
  const Row rows[] = {{32760, true}, {32761, true}, {32762, false}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.bytesBefore);
    openSong(QString(row.bytesBefore, u'a'));
    player.setPosition(1.0);
    EXPECT_EQ(window->execute(kSync), row.tagged ? CommandOutcome::Done : CommandOutcome::Refused);
    EXPECT_EQ(view().size(), row.bytesBefore + (row.tagged ? 6 : 0));
    EXPECT_EQ(syncCount(), row.tagged ? 1 : 0);
    window->execute(kStop);
  }
}

// A file the player cannot decode is reported by the poll with the player's text.
TEST_F(AudioCommandsTest, AFileThePlayerCannotDecodeIsReportedByThePoll) {
  window->edit()->setPlainText(QStringLiteral("a"));
  ASSERT_TRUE(writeFileAtomically(dir.path() / "noise.wav", std::string("RIFF")).ok());
  dialogs.open.answers = {path("noise.wav")};
  prompter = RecordingPrompter({Answer::No});
  EXPECT_EQ(window->execute(kOpenAudio), CommandOutcome::Done);
  ASSERT_TRUE(window->audioCommands().audioOpen());
  prompter = RecordingPrompter();
  window->audioCommands().poll();
  ASSERT_EQ(prompter.messages.size(), 1u);
  EXPECT_EQ(prompter.messages[0].text, player.errorDescription());
  EXPECT_FALSE(player.errorDescription().empty());
  EXPECT_FALSE(window->audioCommands().audioOpen());
}

// Ctrl+Z takes a Sync or a Step back back in one step and restores the count it changed; redo
// applies it again; undoing typing leaves the count alone.
TEST_F(AudioCommandsTest, UndoOfSyncAndStepBackRestoresTheSyncCount) {
  openSong(QStringLiteral("a\nb"));
  window->edit()->setFocus();
  player.advance(1.0);
  window->execute(kSync);
  player.advance(1.0);
  window->execute(kSync);
  ASSERT_EQ(view(), QStringLiteral("<1000>a\n<2000>b"));
  window->execute(kStepBack);
  ASSERT_EQ(syncCount(), 1);

  QTest::keyClick(window->edit(), Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(view(), QStringLiteral("<1000>a\n<2000>b"));
  EXPECT_EQ(syncCount(), 2);
  QTest::keyClick(window->edit(), Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(view(), QStringLiteral("<1000>a\nb"));
  EXPECT_EQ(syncCount(), 1);
  window->edit()->redo();
  EXPECT_EQ(view(), QStringLiteral("<1000>a\n<2000>b"));
  EXPECT_EQ(syncCount(), 2);

  // Typing, then its undo: the count is not the typing's.
  window->execute(kStop);
  QTest::keyClicks(window->edit(), QStringLiteral("x"));
  QTest::keyClick(window->edit(), Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(syncCount(), 0);
  EXPECT_EQ(window->session().document().text(), "<1000>a\r\n<2000>b");
}

// The keys work while the text has the focus, and the user types on while the song plays.
TEST_F(AudioCommandsTest, AcceleratorsWorkWhileTheTextHasTheFocus) {
  openSong(QStringLiteral("a\nb"));
  window->activateWindow();
  window->edit()->setFocus();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
  QWidget* edit = window->edit();
  player.advance(1.0);
  QTest::keyClick(edit, Qt::Key_S, Qt::AltModifier);
  EXPECT_EQ(view(), QStringLiteral("<1000>a\nb"));
  QTest::keyClicks(edit, QStringLiteral("x"));
  EXPECT_EQ(view(), QStringLiteral("<1000>xa\nb"));
  QTest::keyClick(edit, Qt::Key_B, Qt::AltModifier);
  EXPECT_TRUE(window->audioCommands().paused());
  QTest::keyClick(edit, Qt::Key_P, Qt::AltModifier);
  EXPECT_FALSE(window->audioCommands().paused());
  QTest::keyClick(edit, Qt::Key_R, Qt::AltModifier);
  EXPECT_EQ(view(), QStringLiteral("xa\nb"));
  EXPECT_EQ(player.position(), 1.0);
  // The sync toolbar's buttons leave the focus in the text.
  QTest::mouseClick(window->syncToolbar()->widgetForAction(window->action(kSync)), Qt::LeftButton);
  EXPECT_EQ(view(), QStringLiteral("<1000>xa\nb"));
  EXPECT_EQ(QApplication::focusWidget(), edit);
  QTest::keyClick(edit, Qt::Key_R, Qt::AltModifier);
  QTest::keyClick(edit, Qt::Key_D, Qt::AltModifier);
  EXPECT_TRUE(window->audioCommands().stopped());
  dialogs.open.answers = {std::nullopt};
  prompter = RecordingPrompter({Answer::Cancel});
  QTest::keyClick(edit, Qt::Key_O, Qt::AltModifier);
  EXPECT_EQ(prompter.messages.size(), 1u);  // the save prompt of the audio open
  EXPECT_EQ(player.log(),
            (std::vector<std::string>{"open song.mp3", "pause", "play", "seek 1.000000",
                                      "seek 1.000000", "stop", "seek 0.000000"}));
}

// The poll notes the end of the song; a player error or a missing sound device closes the audio
// with the message, the tags staying in the text.
TEST_F(AudioCommandsTest, PollNotesTheEndAndClosesTheAudioOnAnError) {
  openSong(QStringLiteral("a\nb"));
  player.advance(61.0);
  window->audioCommands().poll();
  EXPECT_TRUE(window->audioCommands().stopped());
  EXPECT_TRUE(window->action(kPlay)->isEnabled());
  EXPECT_FALSE(window->action(kPause)->isEnabled());

  struct Row {
    bool soundCard;
    const char* error;
    const char* shown;
  };
  const Row rows[] = {
      {true, "Cannot play \"song.mp3\": broken frame", "Cannot play \"song.mp3\": broken frame"},
      {false, "", "音频硬件无效。"},
      {false, "device gone", "音频硬件无效。"}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.shown);
    openSong(QStringLiteral("a\nb"));
    player.advance(1.0);
    window->execute(kSync);
    if (*row.error != '\0') player.failWith(row.error);
    player.setSoundCardPresent(row.soundCard);
    window->audioCommands().poll();
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0], (Message{row.shown, std::string(text::kAppName),
                                             MessageIcon::Error, MessageButtons::Ok}));
    EXPECT_FALSE(window->audioCommands().audioOpen());
    EXPECT_FALSE(window->audioCommands().pollTimer().isActive());
    EXPECT_EQ(syncCount(), 0);
    EXPECT_EQ(view(), QStringLiteral("<1000>a\nb"));
    EXPECT_EQ(player.log().back(), "close");
    EXPECT_FALSE(window->action(kSync)->isEnabled());
    window->audioCommands().poll();  // closed: nothing more is said
    EXPECT_EQ(prompter.messages.size(), 1u);
    player.setSoundCardPresent(true);
  }
}

TEST_F(AudioCommandsTest, TimePaneShowsSecondsAndTenthsWhileAudioIsOpen) {
  QLabel* pane = window->timePane();
  EXPECT_FALSE(pane->isEnabled());
  EXPECT_EQ(pane->text(), QString());
  openSong(QStringLiteral("a"));
  player.advance(12.345);
  window->audioCommands().poll();
  EXPECT_TRUE(pane->isEnabled());
  EXPECT_EQ(pane->text(), QStringLiteral(" 12 300(ms) "));
  prompter = RecordingPrompter({Answer::No});
  window->execute(kNew);  // New closes the audio
  EXPECT_FALSE(window->audioCommands().audioOpen());
  EXPECT_FALSE(pane->isEnabled());
  EXPECT_EQ(pane->text(), QString());
}

// The field takes whole milliseconds from 0 to 5,000,000; anything else is answered with the
// range message and the dialog stays open.
TEST_F(AudioCommandsTest, SetPositionDialogTakesZeroToFiveMillion) {
  struct Row {
    const char* entered;
    bool accepted;
  };
  const Row rows[] = {{"-1", false},      {"0", true},    {"4999999", true}, {"5000000", true},
                      {"5000001", false}, {"12x", false}, {"", false}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.entered);
    prompter = RecordingPrompter();
    SetPositionDialog dialog(prompter);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("设定音频位置"));
    EXPECT_EQ(dialog.field()->text(), QStringLiteral("0"));
    dialog.field()->setText(QString::fromLatin1(row.entered));
    dialog.accept();
    EXPECT_EQ(dialog.result() == QDialog::Accepted, row.accepted);
    EXPECT_EQ(prompter.messages.size(), row.accepted ? 0u : 1u);
    if (!row.accepted) {
      EXPECT_EQ(prompter.messages[0],
                (Message{std::string(text::kPositionRange), std::string(text::kAppName),
                         MessageIcon::Warning, MessageButtons::Ok}));
    }
  }
}

TEST_F(AudioCommandsTest, SetPositionMovesToWholeSeconds) {
  openSong(QStringLiteral("a"));
  QTimer::singleShot(0, window.get(), [] {
    auto* dialog = qobject_cast<SetPositionDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    dialog->field()->setText(QStringLiteral("12345"));
    dialog->accept();
  });
  EXPECT_EQ(window->execute(kSetPosition), CommandOutcome::Done);
  EXPECT_EQ(player.position(), 12.0);
}

// Every audio command's enabling in each state, from the menus, keys and buttons alike.
TEST_F(AudioCommandsTest, EnablingOfEachAudioCommandInEachState) {
  enum State { EmptyText, Text, Playing, TaggedTly, Paused, Stopped, Closed, Lrc };
  const int commands[] = {kOpenAudio, kSetPosition, kSyncFromCursor, kForward,  kBackward,
                          kPlay,      kPause,       kStop,           kStepBack, kSync};
  struct Row {
    State state;
    const char* name;
    std::array<bool, 10> enabled;  // in the order of `commands`
  };
  const Row rows[] = {
      {EmptyText, "empty text", {0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
      {Text, "text, no audio", {1, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
      {Playing, "playing, nothing tagged", {1, 1, 1, 1, 1, 0, 1, 1, 1, 1}},
      {TaggedTly, "playing, a tag placed", {0, 1, 1, 1, 1, 0, 1, 1, 1, 1}},
      {Paused, "paused, a tag placed", {0, 1, 1, 1, 1, 1, 0, 1, 1, 1}},
      {Stopped, "stopped", {1, 1, 1, 1, 1, 1, 0, 0, 1, 1}},
      {Closed, "closed by New", {0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
      {Lrc, "LRC document", {0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    switch (row.state) {
      case EmptyText:
        break;
      case Text:
        window->edit()->setPlainText(QStringLiteral("a"));
        break;
      case Lrc:
        ASSERT_TRUE(writeFileAtomically(dir.path() / "x.lrc", std::string("[00:01.00]a\n")).ok());
        prompter = RecordingPrompter({Answer::No});
        ASSERT_EQ(window->openPath(path("x.lrc")), CommandOutcome::Done);
        break;
      case Playing:
        openSong(QStringLiteral("a"));
        break;
      case TaggedTly:
        window->execute(kSync);
        break;
      case Paused:
        window->execute(kPause);
        break;
      case Stopped:
        window->execute(kStop);
        break;
      case Closed:
        prompter = RecordingPrompter({Answer::No});
        window->execute(kNew);
        break;
    }
    window->refreshCommands();
    for (size_t i = 0; i < std::size(commands); ++i) {
      SCOPED_TRACE(commands[i]);
      EXPECT_EQ(window->action(commands[i])->isEnabled(), row.enabled[i]);
    }
  }
  // A disabled command is not carried out.
  const size_t logged = player.log().size();
  EXPECT_EQ(window->execute(kSync), CommandOutcome::Disabled);
  EXPECT_EQ(player.log().size(), logged);
}

TEST_F(AudioCommandsTest, ConvertStopsThePlayerButKeepsTheAudioOpen) {
  openSong(QStringLiteral("a"));
  player.advance(1.0);
  window->execute(kSync);
  dialogs.save.answers = {path("out.lyr")};
  dialogs.filter = 0;
  window->execute(kConvertToLyr);
  EXPECT_EQ(player.log().back(), "stop");
  EXPECT_TRUE(window->audioCommands().audioOpen());
  window->audioCommands().poll();
  EXPECT_TRUE(window->audioCommands().stopped());
  EXPECT_EQ(syncCount(), 1);
}

// The program's player behind the window: an MP3 plays to its end on the null device, the poll
// notes the end (Play enabled again) and Sync tags with where the song ended.
TEST(AudioCommandsWithTheRealPlayer, ASongPlaysToItsEndAndThePollNotesIt) {
  norva::testing::offscreenApp<QApplication>();
  TempDir dir;
  const std::filesystem::path song = dir.path() / "tone.mp3";
  std::filesystem::copy_file(
      std::filesystem::path(NORVA_TEST_DATA_DIR) / "audio" / "tone440_44k1_mono_cbr64_noinfo.mp3",
      song);
  audio::MediaPlayer player(
      std::make_unique<audio::NullOutput>(audio::NullOutput::Pace::AsFastAsPossible));
  RecordingPrompter prompter({Answer::No});
  desktop::ScriptedFileDialogs dialogs;
  dialogs.open.answers = {QString::fromStdString(song.string())};
  NoPrinter printer;
  SontravaEnvironment env;
  env.prompter = &prompter;
  env.dialogs = &dialogs;
  env.printer = &printer;
  env.mediaPlayer = &player;
  SontravaWindow window(env);
  window.edit()->setPlainText(QStringLiteral("a\nb"));

  ASSERT_EQ(window.execute(command::kOpenAudio), CommandOutcome::Done);
  ASSERT_TRUE(player.waitForEnd(std::chrono::seconds(20)));
  window.audioCommands().poll();
  EXPECT_TRUE(window.audioCommands().audioOpen());
  EXPECT_TRUE(window.action(command::kPlay)->isEnabled());
  EXPECT_FALSE(window.action(command::kPause)->isEnabled());
  EXPECT_EQ(window.execute(command::kSync), CommandOutcome::Done);
  EXPECT_EQ(window.edit()->toPlainText(), QStringLiteral("<5000>a\nb"));
  EXPECT_EQ(prompter.messages.size(), 1u);  // the save prompt only
}

}  // namespace
}  // namespace norva::editor
