#pragma once
// The device manager's main window: menus, toolbar with the file filter box, the desktop pane
// on the left, the 55-pixel strip, the player pane on the right (one memory view per drive, or
// the notice that no player is connected) and the status bar with the firmware version.
// Every action carries its command number; commands that open dialogs of their own go to the
// DeviceCommandHandler. Long device operations run on the one DeviceWorker; a device-change
// notice that arrives meanwhile refreshes the player pane once the operation has ended.
#include <QLabel>
#include <QMainWindow>
#include <QMap>
#include <array>

#include "device/app/desktop_pane.h"
#include "device/app/explorer_services.h"
#include "device/app/memory_view.h"
#include "device/player_pane.h"

class QComboBox;
class QProgressBar;
class QSplitter;
class QStackedWidget;
class QToolButton;

namespace norva::device {

// The show command stored in "WindowState": 3 maximised, 2 minimised, 1 normal.
inline constexpr int kShowNormal = 1;
inline constexpr int kShowMinimized = 2;
inline constexpr int kShowMaximized = 3;
inline constexpr int kDefaultShowCommand = 5;

class TrelliqWindow : public QMainWindow {
  Q_OBJECT

 public:
  explicit TrelliqWindow(ExplorerServices& services, QWidget* parent = nullptr);
  ~TrelliqWindow() override;

  // Shows the window as "WindowState" says.
  void showAsStored();
  // The player pane after a device change (or at start): reconnects and reloads the views.
  void deviceChanged();

  QAction* action(int commandId) const { return actions_.value(commandId, nullptr); }
  void runCommand(int commandId);
  void updateCommands();

  DesktopPane& desktop() { return *desktop_; }
  MemoryView* memoryView(int drive) const;
  bool playerShown() const;
  const PlayerPane& playerPane() const { return pane_; }
  QComboBox& filterBox() { return *filter_; }
  QString firmwareStatus() const { return firmwareLabel_->text(); }
  QString statusMessage() const;
  QList<QToolButton*> stripButtons() const { return stripButtons_; }

  // Moves the focus to the next (or previous) pane, as F6 and Shift+F6 do.
  void focusPane(bool next);

  // Stores what the window keeps between runs.
  void saveSettings();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  QAction* addCommand(QMenu* menu, int commandId, const QString& text,
                      const QKeySequence& key = {});
  void buildMenus();
  void buildToolBar();
  QWidget* buildStrip();
  QWidget* buildPlayerPane();
  void refreshPlayerPane();
  void upload(const PlayerEntries& entries, const QString& folder);
  void runHandlerCommand(int commandId);
  MemoryView* focusedMemoryView() const;
  void showTransferProgress(int done, int total, const QString& name);
  void operationStarted();
  void operationFinished();

  ExplorerServices& services_;
  QMap<int, QAction*> actions_;
  DesktopPane* desktop_ = nullptr;
  QComboBox* filter_ = nullptr;
  QStackedWidget* playerStack_ = nullptr;
  QLabel* notice_ = nullptr;
  QSplitter* splitter_ = nullptr;
  std::array<MemoryView*, 2> views_{};
  QList<QToolButton*> stripButtons_;
  QLabel* firmwareLabel_ = nullptr;
  QProgressBar* progress_ = nullptr;
  PlayerPane pane_;
  bool refreshPending_ = false;
};

}  // namespace norva::device
