#pragma once
// The lyric editor's main window: menus and toolbars built from the command table (the command
// number is each action's data), the edit view, the six status panes and the recent-file
// entries. Every command goes through `execute`, which asks the table whether it is enabled;
// the file and convert commands are carried out by the EditorSession, whose document the
// window shows. Dialogs and messages come from the injected environment.
#include <QMainWindow>
#include <QString>
#include <array>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>

#include "audio/media_playback.h"
#include "base/prompter.h"
#include "desktop/desktop_opener.h"
#include "desktop/file_dialogs.h"
#include "editor/app/dialog_file_chooser.h"
#include "editor/app/view_services.h"
#include "editor/editor_commands.h"
#include "editor/recent_files.h"
#include "editor/service/editor_session.h"
#include "lyrics/app/list_choosers.h"
#include "preview/app/tick_source.h"

class QAction;
class QKeyEvent;
class QLabel;
class QMenu;
class QSettings;
class QToolBar;

namespace norva::editor {

class AudioCommands;
class LyricEdit;
class PlayerScreenDock;

struct SontravaEnvironment {
  Prompter* prompter = nullptr;
  desktop::FileDialogs* dialogs = nullptr;
  FontChooser* fonts = nullptr;
  TextPrinter* printer = nullptr;
  desktop::UrlOpener openUrl;     // the desktop's "open" (manual, the about box's link)
  QString programPath;            // the program's own file; the manual lies beside it
  QSettings* settings = nullptr;  // the recent-file list; none: not kept
  std::function<void(QWidget*)> showAbout;
  lyr::app::ListChoosers* listChoosers = nullptr;  // none: the desktop's pickers
  // The audio the sync commands play (required); it outlives the window.
  audio::MediaPlayback* mediaPlayer = nullptr;
  preview::TickSourceFactory makeTicks;            // timers; none: Qt timers
  // The verify dialog's own player, made for each dialog; none: the dialog is not shown.
  std::function<std::unique_ptr<audio::MediaPlayback>()> makeVerifyPlayer;
};

// What the window's audio tells the player's screen and the verify dialog: the position while
// audio is open (nothing otherwise), the open audio file, and how to stop it (the audio stays
// open). Empty functions: no audio.
struct EditorAudioLink {
  std::function<std::optional<double>()> position;
  std::function<std::filesystem::path()> audioPath;
  std::function<void()> stopPlayback;
};

class SontravaWindow : public QMainWindow {
  Q_OBJECT
 public:
  explicit SontravaWindow(SontravaEnvironment env, QWidget* parent = nullptr);
  ~SontravaWindow() override;

  // Carries out a command by its number when the table enables it; Disabled otherwise.
  CommandOutcome execute(int commandId);
  // Open by path (command line, recent-file list).
  CommandOutcome openPath(const QString& path);

  EditorSession& session() { return session_; }
  LyricEdit* edit() const { return edit_; }
  // The action of a command number; nullptr for numbers without one.
  QAction* action(int commandId) const;
  QMenu* menu(Menu menu) const;
  QToolBar* mainToolbar() const { return mainToolbar_; }
  QToolBar* syncToolbar() const { return syncToolbar_; }
  QLabel* lineColumnPane() const { return lineColumnPane_; }
  PlayerScreenDock* playerScreen() const { return playerScreen_; }
  // Connects the window's audio to the player's screen and the verify dialog.
  void setAudioLink(EditorAudioLink link);
  bool wordWrap() const { return wordWrap_; }

  // The enabling state of this moment: the session's plus the view's and the frame's.
  CommandState commandState() const;
  // Re-evaluates every action's enabled and checked state and the status panes.
  void refreshCommands();

  // --- Audio: the player the sync commands use, and their state.
  audio::MediaPlayback& mediaPlayer() { return *env_.mediaPlayer; }
  AudioCommands& audioCommands() { return *audio_; }
  QLabel* timePane() const { return timePane_; }

 signals:
  // Audio was opened for synchronising (true) or closed (false).
  void audioOpenChanged(bool open);
  // --- end of audio.

 protected:
  void closeEvent(QCloseEvent* event) override;
  // The text's keys: the Alt accelerators go to their commands before the menu bar's mnemonics
  // ("设置(&S)", "转化(&R)") can take them.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void buildActions();
  void buildMenus();
  void buildToolbars();
  void buildStatusBar();
  // The command whose Alt accelerator the key is; 0 for none.
  int altAcceleratorCommand(const QKeyEvent& key) const;
  QAction* makeAction(const EditorCommand& command);
  void runSessionCommand(int commandId);
  void switchWordWrap();
  void chooseFont();
  void insertLineBreak();
  void showDocument();      // the session's document into the view
  void viewTextChanged();   // the view's text into the session
  void afterFileCommand();  // title, recent files, status message
  void updateTitle();
  void updateLineColumn();
  void updateRecentFiles();
  void storeRecentFiles() const;
  void runMprDialog();
  void runTextEncodingDialog();
  void installPlayerScreen();
  void switchPlayerScreen();
  void storePlayerScreenShown() const;
  void runVerifyDialog();
  void runBatchDialog(int commandId);  // batch LRC to LYR or batch MP3 to MPR

  SontravaEnvironment env_;
  DialogFileChooser chooser_;
  EditorSession session_;
  LyricEdit* edit_ = nullptr;
  std::map<int, QAction*> actions_;
  std::map<Menu, QMenu*> menus_;
  std::array<QAction*, RecentFileList::kCapacity> recentActions_{};
  QToolBar* mainToolbar_ = nullptr;
  QToolBar* syncToolbar_ = nullptr;
  QLabel* timePane_ = nullptr;
  AudioCommands* audio_ = nullptr;  // a child of the window
  QLabel* lineColumnPane_ = nullptr;
  bool wordWrap_ = false;
  bool wrapSwitched_ = false;
  bool showing_ = false;  // the view is being given the document's text
  PlayerScreenDock* playerScreen_ = nullptr;
  EditorAudioLink audioLink_;
};

// Reads the recent-file list the settings keep ("Recent File List", File1..File4).
std::vector<std::string> storedRecentFiles(QSettings& settings);

}  // namespace norva::editor
