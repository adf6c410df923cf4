// The lyric editor's main window on the offscreen platform, driven as a user drives it.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QSettings>
#include <QTest>
#include <QTextDocument>
#include <QTimer>
#include <QToolBar>
#include <cstdlib>
#include <deque>

#include "audio/fake_media_player.h"
#include "base/gbk_codec.h"
#include "base/recording_prompter.h"
#include "base/service/file_io.h"
#include "base/service/registry_store.h"
#include "desktop/program_settings.h"
#include "desktop/scripted_file_dialogs.h"
#include "editor/app/lyric_edit.h"
#include "editor/app/sontrava_window.h"
#include "editor/editor_messages.h"
#include "editor/save_prompt.h"
#include "test_support/qt_test_app.h"
#include "test_support/temp_dir.h"

namespace norva::editor {
namespace {

class ScriptedFonts : public FontChooser {
 public:
  std::optional<QFont> answer;
  std::optional<QFont> choose(const QFont&, QWidget*) override { return answer; }
};

class RecordingPrinter : public TextPrinter {
 public:
  std::vector<std::string> calls;
  void print(const QTextDocument& text, QWidget*) override { record("print", text); }
  void printDirect(const QTextDocument& text, QWidget*) override { record("direct", text); }
  void preview(const QTextDocument& text, QWidget*) override { record("preview", text); }
  void pageSetup(QWidget*) override { calls.push_back("setup"); }

 private:
  void record(const char* what, const QTextDocument& text) {
    calls.push_back(std::string(what) + ":" + text.toPlainText().toStdString());
  }
};

QString qt(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

class SontravaWindowTest : public ::testing::Test {
 protected:
  SontravaWindowTest() {
    norva::testing::offscreenApp<QApplication>();
    ::setenv("XDG_CONFIG_HOME", (dir.path() / "config").c_str(), 1);
    ::setenv("XDG_DATA_HOME", (dir.path() / "data").c_str(), 1);
    ::setenv("NORVA_REGISTRY_DIR", (dir.path() / "registry").c_str(), 1);
    desktop::setProgramIdentity(qt(text::kAppName));
    settings = desktop::openProgramSettings(qt(text::kAppName));
    window = makeWindow();
  }

  std::unique_ptr<SontravaWindow> makeWindow() {
    SontravaEnvironment env;
    env.prompter = &prompter;
    env.dialogs = &dialogs;
    env.fonts = &fonts;
    env.printer = &printer;
    env.openUrl = [this](const QUrl& url) {
      opened.push_back(url);
      return true;
    };
    env.programPath = QString::fromStdString((dir.path() / "bin" / "sontrava").string());
    env.settings = settings.get();
    env.mediaPlayer = &player;
    auto made = std::make_unique<SontravaWindow>(env);
    made->show();
    return made;
  }

  QString path(const char* name) const {
    return QString::fromStdString((dir.path() / name).string());
  }

  void writeGbk(const char* name, std::string_view utf8) {
    ASSERT_TRUE(writeFileAtomically(dir.path() / name, *utf8ToGbk(utf8)).ok());
  }

  // One key as the keyboard gives it, text and all (also for characters QTest cannot spell).
  void type(const QString& text, Qt::Key key = Qt::Key_unknown) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(window->edit(), &press);
  }

  QString viewText() const { return window->edit()->toPlainText(); }

  std::string fileText(const char* name) const {
    const ReadResult read = readWholeFile(dir.path() / name, 1000);
    return std::string(read.bytes.begin(), read.bytes.end());
  }

  TempDir dir;
  RecordingPrompter prompter;
  desktop::ScriptedFileDialogs dialogs;
  ScriptedFonts fonts;
  RecordingPrinter printer;
  audio::FakeMediaPlayer player;
  std::vector<QUrl> opened;
  std::unique_ptr<QSettings> settings;
  std::unique_ptr<SontravaWindow> window;
};

// Every command of the table has its action: the number as its data, the label and keys, in its
// menu, enabled as its rule says for the window's state.
TEST_F(SontravaWindowTest, EveryCommandHasItsActionLabelKeysAndEnabling) {
  window->refreshCommands();
  for (const EditorCommand& cmd : editorCommands()) {
    if (cmd.isSeparator() || cmd.id == command::kRecentFiles) continue;
    SCOPED_TRACE(cmd.id);
    QAction* act = window->action(cmd.id);
    ASSERT_NE(act, nullptr);
    EXPECT_EQ(act->data().toInt(), cmd.id);
    EXPECT_EQ(act->text(), qt(cmd.text));
    QList<QKeySequence> keys;
    for (std::string_view key : cmd.keys)
      if (!key.empty()) keys << QKeySequence(qt(key), QKeySequence::PortableText);
    EXPECT_EQ(act->shortcuts(), keys);
    if (cmd.menu != Menu::None) {
      EXPECT_TRUE(window->menu(cmd.menu)->actions().contains(act));
    }
    // Every piece of the program is built: each action follows its own rule.
    EXPECT_EQ(act->isEnabled(), isEnabled(cmd.id, window->commandState()));
  }
  EXPECT_EQ(window->menu(Menu::File)->title(), qt(text::kMenuFile));
  // The toolbars carry the table's buttons in order.
  std::vector<int> shown;
  for (QAction* act : window->syncToolbar()->actions()) shown.push_back(act->data().toInt());
  EXPECT_EQ(shown, std::vector<int>(syncToolbarButtons().begin(), syncToolbarButtons().end()));
}

// The two Settings items follow the association test; each enables the other once carried out.
TEST_F(SontravaWindowTest, AssociationItemsFollowTheRegistryStore) {
  QAction* associate = window->action(command::kSetAssociations);
  QAction* unassociate = window->action(command::kRemoveAssociations);
  window->refreshCommands();
  EXPECT_TRUE(associate->isEnabled());
  EXPECT_FALSE(unassociate->isEnabled());
  EXPECT_EQ(window->execute(command::kRemoveAssociations), CommandOutcome::Disabled);

  ASSERT_EQ(window->execute(command::kSetAssociations), CommandOutcome::Done);
  EXPECT_FALSE(associate->isEnabled());
  EXPECT_TRUE(unassociate->isEnabled());
  RegistryStore store(dir.path() / "registry" / "classes_root.reg");
  EXPECT_EQ(store.value("Zuvoza.LyrFile\\shell\\open\\command", ""),
            "\"" + (dir.path() / "bin" / "sontrava").string() + "\" /LYR \"%L\"");
  EXPECT_TRUE(std::filesystem::exists(dir.path() / "config" / "mimeapps.list"));

  // Another program takes ".lyr" over: the items turn when the menu is next shown.
  ASSERT_TRUE(store.setValue(".lyr", "", "Other.LyrFile"));
  emit window->menu(Menu::Settings)->aboutToShow();
  EXPECT_TRUE(associate->isEnabled());
  ASSERT_TRUE(store.setValue(".lyr", "", "Zuvoza.LyrFile"));
  emit window->menu(Menu::Settings)->aboutToShow();
  ASSERT_EQ(window->execute(command::kRemoveAssociations), CommandOutcome::Done);
  EXPECT_TRUE(associate->isEnabled());
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "config" / "mimeapps.list"));
}

// The status bar's text: the three commands with a text of their own, the others their label.
TEST_F(SontravaWindowTest, StatusTextsOfTheCommands) {
  const std::pair<int, const char*> rows[] = {
      {command::kSetAssociations, "注册LRC LYR TLY文件类型 使其相关联"},
      {command::kRemoveAssociations, "解除LRC LYR TLY类型文件的关联"},
      {command::kWavToMp3, "WAV音频格式转为MP3格式"},
      {command::kSync, "同步"},
  };
  for (const auto& [id, text] : rows) {
    SCOPED_TRACE(id);
    EXPECT_EQ(window->action(id)->statusTip(), QString::fromUtf8(text));
  }
}

// Every dialog of the Convert menu opens from its command.
TEST_F(SontravaWindowTest, ConvertMenuOpensItsDialogs) {
  window->refreshCommands();
  struct Row {
    int id;
    bool enabled;
    const char* title;
  };
  const Row rows[] = {{32856, true, "MPR转换工具"},
                      {32860, true, "TEXT文件转换"},
                      {32853, true, "WAV->MP3"},
                      {32857, true, "MPR转换工具"},
                      {32859, true, "LRC-->LYR"}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.id);
    EXPECT_EQ(window->action(row.id)->isEnabled(), row.enabled);
    QString shown;
    QTimer::singleShot(0, window.get(), [&shown] {
      if (QWidget* modal = QApplication::activeModalWidget()) {
        shown = modal->windowTitle();
        modal->close();
      }
    });
    EXPECT_EQ(window->execute(row.id),
              row.enabled ? CommandOutcome::Done : CommandOutcome::Disabled);
    QCoreApplication::processEvents();  // the timer of a command that opened nothing
    EXPECT_EQ(shown, QString::fromUtf8(row.title));
  }
}

TEST_F(SontravaWindowTest, HidingTheSyncToolbarUnchecksItsItem) {
  QAction* item = window->action(command::kSyncToolbar);
  EXPECT_TRUE(item->isChecked());
  window->execute(command::kSyncToolbar);
  EXPECT_FALSE(window->syncToolbar()->isVisible());
  EXPECT_FALSE(item->isChecked());
  window->execute(command::kSyncToolbar);
  EXPECT_TRUE(item->isChecked());
  // Closed by the user on the toolbar itself.
  window->syncToolbar()->hide();
  EXPECT_FALSE(item->isChecked());
}

// The room is counted as the document stores the text: one byte an ASCII letter, two a Chinese
// character, two a line end (CR LF).
TEST_F(SontravaWindowTest, TypingStopsAtTheByteLimit) {
  struct Row {
    const char* what;
    int bytesBefore;  // 'a's, in lines of 98 letters and a line end
    const char* typed;
    bool switchWrap;
    bool accepted;
  };
  const Row rows[] = {
      {"letter into 32,766", 32766, "a", false, true},
      {"letter into 32,767", 32767, "a", false, false},
      {"Chinese into 32,765", 32765, "汉", false, true},
      {"Chinese into 32,766", 32766, "汉", false, false},
      {"line end into 32,765", 32765, "\n", false, true},
      {"line end into 32,766", 32766, "\n", false, false},
      {"letter into 32,767 after a wrap switch", 32767, "a", true, true},
      {"letter into 1,048,574", 1048574, "a", true, true},
      {"letter into 1,048,575", 1048575, "a", true, false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    window = makeWindow();
    if (row.switchWrap) window->execute(command::kWordWrap);
    QString text;
    int bytes = 0;
    while (bytes + 100 <= row.bytesBefore) {
      text += QString(98, u'a') + u'\n';
      bytes += 100;
    }
    text += QString(row.bytesBefore - bytes, u'a');
    window->edit()->setPlainText(text);
    window->edit()->moveCursor(QTextCursor::End);
    const QString typed = QString::fromUtf8(row.typed);
    type(typed, typed == u'\n' ? Qt::Key_Return : Qt::Key_unknown);
    EXPECT_EQ(viewText().size(), text.size() + (row.accepted ? 1 : 0));
  }
}

TEST_F(SontravaWindowTest, PasteInsertsWhatFitsOnACharacterBoundary) {
  window->edit()->setPlainText(QString(32764, u'x'));
  window->edit()->moveCursor(QTextCursor::End);
  window->edit()->insertLimited(QStringLiteral("a汉字"), true);  // 1 + 2 fit, the 3rd byte does not
  EXPECT_TRUE(viewText().endsWith(QStringLiteral("xa汉")));
}

TEST_F(SontravaWindowTest, WrapSwitchKeepsTextAndFontAndClearsUndo) {
  fonts.answer = QFont(QStringLiteral("DejaVu Sans Mono"), 15);
  window->execute(command::kChooseFont);
  type(QStringLiteral("a"));
  type(QStringLiteral("b"));
  ASSERT_TRUE(window->action(command::kUndo)->isEnabled());
  const QFont font = window->edit()->font();

  window->execute(command::kWordWrap);
  EXPECT_TRUE(window->action(command::kWordWrap)->isChecked());
  EXPECT_EQ(window->edit()->lineWrapMode(), QPlainTextEdit::WidgetWidth);
  EXPECT_EQ(viewText(), QStringLiteral("ab"));
  EXPECT_EQ(window->edit()->font(), font);
  EXPECT_EQ(font.pointSize(), 15);
  EXPECT_FALSE(window->action(command::kUndo)->isEnabled());
  EXPECT_TRUE(window->session().document().modified());  // the document's flag is untouched

  window->execute(command::kWordWrap);
  EXPECT_EQ(window->edit()->lineWrapMode(), QPlainTextEdit::NoWrap);
  EXPECT_EQ(viewText(), QStringLiteral("ab"));
}

TEST_F(SontravaWindowTest, LineBreakMarkReplacesTheSelectionAndCannotBeUndone) {
  window->edit()->setPlainText(QStringLiteral("abcdef"));
  QTextCursor cursor = window->edit()->textCursor();
  cursor.setPosition(1);
  cursor.setPosition(4, QTextCursor::KeepAnchor);
  window->edit()->setTextCursor(cursor);
  EXPECT_EQ(window->execute(command::kInsertLineBreak), CommandOutcome::Done);
  EXPECT_EQ(viewText(), QStringLiteral("a<br>ef"));
  EXPECT_EQ(window->edit()->textCursor().position(), 5);
  EXPECT_EQ(window->session().document().text(), "a<br>ef");
  EXPECT_FALSE(window->action(command::kUndo)->isEnabled());
}

TEST_F(SontravaWindowTest, EditCommandsFollowTheSelectionAndTheClipboard) {
  QGuiApplication::clipboard()->clear();
  window->edit()->setPlainText(QStringLiteral("歌词"));
  EXPECT_FALSE(window->action(command::kCut)->isEnabled());
  EXPECT_FALSE(window->action(command::kCopy)->isEnabled());
  EXPECT_FALSE(window->action(command::kPaste)->isEnabled());
  window->edit()->selectAll();
  EXPECT_TRUE(window->action(command::kCut)->isEnabled());
  EXPECT_EQ(window->execute(command::kCut), CommandOutcome::Done);
  EXPECT_EQ(viewText(), QString());
  EXPECT_TRUE(window->session().document().text().empty());
  EXPECT_TRUE(window->action(command::kPaste)->isEnabled());
  EXPECT_EQ(window->execute(command::kPaste), CommandOutcome::Done);
  EXPECT_EQ(window->session().document().text(), *utf8ToGbk("歌词"));
}

TEST_F(SontravaWindowTest, LineColumnPaneCountsFromZeroInBytes) {
  EXPECT_EQ(window->lineColumnPane()->text(), QStringLiteral(" Ln 0 Col 0 "));
  window->edit()->setPlainText(QStringLiteral("one\n汉字ab\nthree"));
  QTextCursor cursor = window->edit()->textCursor();
  cursor.setPosition(4 + 3);  // line 1, after "汉字a"
  window->edit()->setTextCursor(cursor);
  EXPECT_EQ(window->lineColumnPane()->text(), QStringLiteral(" Ln 1 Col 5 "));
  QTest::keyClick(window->edit(), Qt::Key_Down);
  QTest::keyClick(window->edit(), Qt::Key_Home);
  EXPECT_EQ(window->lineColumnPane()->text(), QStringLiteral(" Ln 2 Col 0 "));
}

TEST_F(SontravaWindowTest, AFifthFilePushesTheOldestOutOfTheMenuAndTheSettings) {
  for (const char* name : {"a.tly", "b.tly", "c.tly", "d.tly", "e.tly"}) {
    writeGbk(name, "<0>x\r\n");
    ASSERT_EQ(window->openPath(path(name)), CommandOutcome::Done);
  }
  QStringList shown;
  for (int i = 0; i < 4; ++i) {
    QAction* entry = window->action(command::kRecentFiles + i);
    ASSERT_TRUE(entry->isVisible());
    EXPECT_TRUE(window->menu(Menu::File)->actions().contains(entry));
    shown << entry->text();
  }
  EXPECT_EQ(shown, QStringList({"&1 " + path("e.tly"), "&2 " + path("d.tly"), "&3 " + path("c.tly"),
                                "&4 " + path("b.tly")}));
  // Kept for the next start, and the oldest entry opens its file.
  auto next = makeWindow();
  EXPECT_EQ(next->action(command::kRecentFiles + 3)->text(), "&4 " + path("b.tly"));
  EXPECT_EQ(next->execute(command::kRecentFiles + 3), CommandOutcome::Done);
  EXPECT_EQ(next->session().document().fileName(), "b.tly");
}

TEST_F(SontravaWindowTest, NewWhileModifiedWithCancelKeepsTheText) {
  type(QStringLiteral("h"));
  prompter = RecordingPrompter({Answer::Cancel});
  EXPECT_EQ(window->execute(command::kNew), CommandOutcome::Cancelled);
  ASSERT_EQ(prompter.messages.size(), 1u);
  EXPECT_EQ(prompter.messages[0], savePrompt(SavePromptCaller::New, "Untitled"));
  EXPECT_EQ(viewText(), QStringLiteral("h"));
  EXPECT_TRUE(window->session().document().modified());
}

TEST_F(SontravaWindowTest, TitleAndModifiedFollowTypingAndSaving) {
  EXPECT_EQ(window->windowTitle(), QStringLiteral("Untitled - NORVA MP3歌词编辑软件"));
  type(QStringLiteral("歌"));
  type(QString(), Qt::Key_Return);
  EXPECT_TRUE(window->session().document().modified());
  // Save of an untitled document is Save As; "song" with the TLY filter gets its extension.
  dialogs.save.answers = {path("song")};
  dialogs.filter = 1;
  EXPECT_EQ(window->execute(command::kSave), CommandOutcome::Done);
  EXPECT_EQ(fileText("song.tly"), *utf8ToGbk("歌\r\n"));
  EXPECT_EQ(window->windowTitle(), QStringLiteral("song.tly - NORVA MP3歌词编辑软件"));
  EXPECT_FALSE(window->session().document().modified());
}

TEST_F(SontravaWindowTest, SavingOverAnExistingFileAsksFirstAndNoShowsTheDialogAgain) {
  writeGbk("old.txt", "old");
  type(QStringLiteral("n"));
  dialogs.save.answers = {path("old.txt"), path("new.txt")};
  prompter = RecordingPrompter({Answer::No});
  EXPECT_EQ(window->execute(command::kSaveAs), CommandOutcome::Done);
  ASSERT_EQ(prompter.messages.size(), 1u);
  EXPECT_EQ(prompter.messages[0], overwritePrompt(path("old.txt").toStdString()));
  EXPECT_EQ(fileText("old.txt"), "old");
  EXPECT_EQ(fileText("new.txt"), "n");
  EXPECT_EQ(dialogs.save.setups.at(0).filter,
            QStringLiteral("TEXT Files(*.TXT);;TLY Files(*.TLY)"));
}

TEST_F(SontravaWindowTest, OpeningShowsTheDocumentAndItsEncoding) {
  ASSERT_TRUE(writeFileAtomically(dir.path() / "web.lrc", std::string("[00:01.00]你好\n")).ok());
  dialogs.open.answers = {path("web.lrc")};
  EXPECT_EQ(window->execute(command::kOpen), CommandOutcome::Done);
  EXPECT_TRUE(dialogs.open.setups.at(0).filter.startsWith(
      QStringLiteral("所有支持文件(*.txt;*.smi;*.lyr;*.lrc) (*.txt *.smi *.lyr *.lrc);;TEXT "
                     "Files(*.TXT);;")));
  EXPECT_EQ(viewText(), QStringLiteral("[00:01.00]你好\n"));
  EXPECT_FALSE(window->session().document().modified());
  EXPECT_EQ(window->windowTitle(), QStringLiteral("web.lrc - NORVA MP3歌词编辑软件"));
  EXPECT_TRUE(window->action(command::kLrcToLyr)->isEnabled());
}

TEST_F(SontravaWindowTest, PrintingFontAndManualGoToTheirServices) {
  type(QStringLiteral("z"));
  for (int id : {command::kPrint, command::kPrintPreview, command::kPrintSetup})
    EXPECT_EQ(window->execute(id), CommandOutcome::Done);
  EXPECT_EQ(printer.calls, (std::vector<std::string>{"print:z", "preview:z", "setup"}));
  window->execute(command::kUserManual);
  ASSERT_EQ(opened.size(), 1u);
  EXPECT_EQ(opened[0].toLocalFile(), path("bin/RD710_CHS.pdf"));
  fonts.answer.reset();
  const QFont before = window->edit()->font();
  window->execute(command::kChooseFont);  // cancelled
  EXPECT_EQ(window->edit()->font(), before);
}

TEST_F(SontravaWindowTest, ClosingRunsTheClosePrompt) {
  type(QStringLiteral("q"));
  prompter = RecordingPrompter({Answer::Cancel});
  EXPECT_FALSE(window->close());
  ASSERT_EQ(prompter.messages.size(), 1u);
  EXPECT_EQ(prompter.messages[0], savePrompt(SavePromptCaller::Close, "Untitled"));
  prompter = RecordingPrompter({Answer::No});
  EXPECT_TRUE(window->close());
}

}  // namespace
}  // namespace norva::editor
