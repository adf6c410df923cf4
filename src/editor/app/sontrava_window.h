#pragma once
// The lyric editor's main window: menus and toolbars built from the command table (the command
// number is each action's data), the edit view, the six status panes and the recent-file
// entries. Every command goes through `execute`, which asks the table whether it is enabled;
// the file and convert commands are carried out by the EditorSession, whose document the
// window shows. Dialogs and messages come from the injected environment.
#include <QMainWindow>
#include <QString>
#include <array>
#include <functional>
#include <map>

#include "base/prompter.h"
#include "desktop/desktop_opener.h"
#include "desktop/file_dialogs.h"
#include "editor/app/dialog_file_chooser.h"
#include "editor/app/view_services.h"
#include "editor/editor_commands.h"
#include "editor/recent_files.h"
#include "editor/service/editor_session.h"
#include "lyrics/app/list_choosers.h"

class QAction;
class QLabel;
class QMenu;
class QSettings;
class QToolBar;

namespace norva::editor {

class LyricEdit;

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
  bool wordWrap() const { return wordWrap_; }

  // The enabling state of this moment: the session's plus the view's and the frame's.
  CommandState commandState() const;
  // Re-evaluates every action's enabled and checked state and the status panes.
  void refreshCommands();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void buildActions();
  void buildMenus();
  void buildToolbars();
  void buildStatusBar();
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
  QLabel* lineColumnPane_ = nullptr;
  bool wordWrap_ = false;
  bool wrapSwitched_ = false;
  bool showing_ = false;  // the view is being given the document's text
};

// Reads the recent-file list the settings keep ("Recent File List", File1..File4).
std::vector<std::string> storedRecentFiles(QSettings& settings);

}  // namespace norva::editor
