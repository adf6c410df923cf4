#include "device/app/trelliq_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QHBoxLayout>
#include <QMenuBar>
#include <QProgressBar>
#include <QSplitter>
#include <QStackedWidget>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>

#include "device/app/file_kind_icons.h"
#include "device/app/trelliq_commands.h"
#include "device/device_messages.h"

namespace norva::device {
namespace {

constexpr int kStripWidth = 55;
constexpr int kStripButtonLeftOfCentre = 18;
constexpr int kStripButtonSize = 36;
constexpr int kPaneMargin = 5;

// The strip between the panes: four buttons at fixed distances from its top and bottom.
class TransferStrip : public QWidget {
 public:
  explicit TransferStrip(QWidget* parent) : QWidget(parent) { setFixedWidth(kStripWidth); }
  void addButton(QToolButton* button, int offset, bool fromBottom) {
    button->setParent(this);
    button->setFixedSize(kStripButtonSize, kStripButtonSize);
    button->setEnabled(false);
    placed_.push_back({button, offset, fromBottom});
  }

 protected:
  void resizeEvent(QResizeEvent*) override {
    const int x = width() / 2 - kStripButtonLeftOfCentre;
    for (const Placed& placed : placed_) {
      const int y = placed.fromBottom ? height() - placed.offset : placed.offset;
      placed.button->move(x, y);
    }
  }

 private:
  struct Placed {
    QToolButton* button;
    int offset;
    bool fromBottom;
  };
  std::vector<Placed> placed_;
};

QIcon arrowIcon(QStyle* style, bool download) {
  return style->standardIcon(download ? QStyle::SP_ArrowRight : QStyle::SP_ArrowLeft);
}

// Commands whose dialogs and operations the handler carries, with their menu texts; an empty
// text means no menu item carries the command.
struct HandlerCommand {
  int id;
  const char* text;
};
const HandlerCommand kHandlerCommands[] = {
    {command::kFirmwareUpgrade, kFirmwareUpgradeMenu},
    {command::kFontDownload, kFontDownloadMenu},
    {command::kFontInformation, kFontInformationMenu},
    {command::kInstallDriver, kInstallDriverMenu},
    {command::kUninstallDriver, kUninstallDriverMenu},
    {command::kAbout, kAboutMenu},
    {command::kUserManual, kUserManualMenu},
    {command::kBootCodeUpgrade, ""},
    {command::kFontCopy, ""},
    {command::kFontErase, ""},
    {command::kConfiguration, ""},
    {command::kHtmlHelp, ""},
    {command::kRawDataDrive0, ""},
    {command::kRawDataDrive1, ""},
};

bool isHandlerCommand(int id) {
  for (const HandlerCommand& entry : kHandlerCommands)
    if (entry.id == id) return true;
  return false;
}

}  // namespace

TrelliqWindow::TrelliqWindow(ExplorerServices& services, QWidget* parent)
    : QMainWindow(parent), services_(services) {
  setWindowIcon(applicationIcon());
  setWindowTitle(QStringLiteral("Trelliq"));
  auto* central = new QWidget(this);
  auto* layout = new QHBoxLayout(central);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  desktop_ = new DesktopPane(services_, central);
  layout->addWidget(desktop_, 1);
  layout->addWidget(buildStrip());
  layout->addWidget(buildPlayerPane(), 1);
  setCentralWidget(central);
  buildMenus();
  buildToolBar();

  firmwareLabel_ = new QLabel(this);
  firmwareLabel_->setObjectName(QString::number(kFirmwareStatusPane));
  progress_ = new QProgressBar(this);
  progress_->setRange(0, 0);
  progress_->setMaximumWidth(160);
  progress_->hide();
  statusBar()->addPermanentWidget(progress_);
  statusBar()->addPermanentWidget(firmwareLabel_);

  // The worker tells each file as it starts; the status bar shows it on this thread.
  services_.link.setTransferProgress([this](size_t done, size_t total, const std::string& name) {
    QMetaObject::invokeMethod(
        this,
        [this, done, total, file = QString::fromStdString(name)] {
          showTransferProgress(static_cast<int>(done), static_cast<int>(total), file);
        },
        Qt::QueuedConnection);
  });
  connect(desktop_, &DesktopPane::uploadRequested, this, &TrelliqWindow::upload);
  connect(desktop_, &DesktopPane::selectionChanged, this, &TrelliqWindow::updateCommands);
  connect(&services_.worker, &DeviceWorker::started, this, &TrelliqWindow::operationStarted);
  connect(&services_.worker, &DeviceWorker::finished, this, &TrelliqWindow::operationFinished);
  connect(qApp, &QApplication::focusChanged, this, &TrelliqWindow::updateCommands);
  refreshPlayerPane();
}

TrelliqWindow::~TrelliqWindow() {
  services_.worker.waitUntilIdle();
  services_.link.setTransferProgress({});
  // The children go after the members: nothing of theirs may call back into this window.
  disconnect(qApp, nullptr, this, nullptr);
  disconnect(&services_.worker, nullptr, this, nullptr);
  disconnect(desktop_, nullptr, this, nullptr);
  for (MemoryView* view : views_) disconnect(view, nullptr, this, nullptr);
}

QAction* TrelliqWindow::addCommand(QMenu* menu, int commandId, const QString& text,
                                   const QKeySequence& key) {
  auto* action = new QAction(text, this);
  action->setData(commandId);
  if (!key.isEmpty()) {
    action->setShortcut(key);
    action->setShortcutContext(Qt::WindowShortcut);
  }
  if (menu != nullptr) menu->addAction(action);
  addAction(action);
  connect(action, &QAction::triggered, this, [this, commandId] { runCommand(commandId); });
  actions_.insert(commandId, action);
  return action;
}

void TrelliqWindow::buildMenus() {
  QMenu* file = menuBar()->addMenu(QString::fromUtf8(kFileMenuTitle));
  addCommand(file, command::kExit, QString::fromUtf8(kExitMenu));
  QMenu* edit = menuBar()->addMenu(QString::fromUtf8(kEditMenuTitle));
  addCommand(edit, command::kCut, QString::fromUtf8(kCutMenu), QKeySequence::Cut);
  addCommand(edit, command::kCopy, QString::fromUtf8(kCopyMenu), QKeySequence::Copy);
  addCommand(edit, command::kPaste, QString::fromUtf8(kPasteMenu), QKeySequence::Paste);
  addCommand(nullptr, command::kDelete, QString::fromUtf8(kDeleteFileMenu), Qt::Key_Delete)
      ->setShortcutContext(Qt::WidgetShortcut);  // the lists handle the key themselves
  QMenu* view = menuBar()->addMenu(QString::fromUtf8(kViewMenuTitle));
  QAction* toolBar = addCommand(view, command::kToolBar, QString::fromUtf8(kToolBarMenu));
  QAction* statusBarAction =
      addCommand(view, command::kStatusBar, QString::fromUtf8(kStatusBarMenu));
  toolBar->setCheckable(true);
  statusBarAction->setCheckable(true);
  toolBar->setChecked(true);
  statusBarAction->setChecked(true);
  QMenu* settings = menuBar()->addMenu(QString::fromUtf8(kSettingsMenuTitle));
  QMenu* tools = menuBar()->addMenu(QString::fromUtf8(kToolsMenuTitle));
  addCommand(tools, command::kRefresh, QString::fromUtf8(kRefreshMenu), Qt::Key_F5);
  QMenu* fonts = nullptr;
  QMenu* help = menuBar()->addMenu(QString::fromUtf8(kHelpMenuTitle));
  for (const HandlerCommand& entry : kHandlerCommands) {
    QMenu* menu = nullptr;
    QKeySequence key;
    switch (entry.id) {
      case command::kFirmwareUpgrade:
        menu = tools;
        break;
      case command::kFontDownload:
      case command::kFontInformation:
        if (fonts == nullptr) fonts = tools->addMenu(QString::fromUtf8(kFontMenu));
        menu = fonts;
        break;
      case command::kInstallDriver:
      case command::kUninstallDriver:
        menu = settings;
        break;
      case command::kAbout:
        menu = help;
        break;
      case command::kUserManual:
        menu = help;
        key = QKeySequence(Qt::Key_F1);
        break;
      default:
        break;
    }
    addCommand(menu, entry.id, QString::fromUtf8(entry.text), key);
  }
  addCommand(nullptr, command::kRename, QString::fromUtf8(kRenameMenu), Qt::Key_F2);
  addCommand(nullptr, command::kNextPane, QString(), Qt::Key_F6);
  addCommand(nullptr, command::kPreviousPane, QString(), QKeySequence(Qt::SHIFT | Qt::Key_F6));
  addCommand(nullptr, command::kToolbarAudioPlay, QString::fromUtf8(kAudioPlayMenu))
      ->setIcon(audioPlayIcon());
}

void TrelliqWindow::buildToolBar() {
  QToolBar* bar = addToolBar(QStringLiteral("toolbar"));
  bar->setObjectName(QStringLiteral("toolbar"));
  bar->setMovable(false);
  QStyle* s = style();
  action(command::kCut)->setIcon(s->standardIcon(QStyle::SP_DialogDiscardButton));
  action(command::kCopy)->setIcon(s->standardIcon(QStyle::SP_FileDialogContentsView));
  action(command::kPaste)->setIcon(s->standardIcon(QStyle::SP_DialogSaveButton));
  action(command::kAbout)->setIcon(s->standardIcon(QStyle::SP_MessageBoxInformation));
  bar->addAction(action(command::kCut));
  bar->addAction(action(command::kCopy));
  bar->addAction(action(command::kPaste));
  bar->addSeparator();
  bar->addAction(action(command::kToolbarAudioPlay));
  bar->addAction(action(command::kAbout));
  bar->addSeparator();
  filter_ = new QComboBox(bar);
  filter_->setObjectName(QStringLiteral("150"));
  const char* texts[kFilterItemCount] = {kFilterMp3, kFilterMpr, kFilterAll};
  for (int item = 0; item < kFilterItemCount; ++item)
    filter_->addItem(fileKindIcon(item == 2 ? FileKind::Other : FileKind::Song),
                     QString::fromUtf8(texts[item]),
                     QString::fromUtf8(filterPattern(item).data(),
                                       static_cast<qsizetype>(filterPattern(item).size())));
  const std::string stored = services_.settings.text(kFileListFilterKey, "*.*");
  filter_->setCurrentIndex(filterItemOf(stored));
  desktop_->setFilter(filter_->currentData().toString());
  connect(filter_, &QComboBox::activated, this, [this](int item) {
    const QString pattern = filter_->itemData(item).toString();
    services_.settings.setText(kFileListFilterKey, pattern.toStdString());
    desktop_->setFilter(pattern);
  });
  bar->addWidget(filter_);
  connect(action(command::kToolBar), &QAction::toggled, bar, &QToolBar::setVisible);
}

QWidget* TrelliqWindow::buildStrip() {
  auto* strip = new TransferStrip(this);
  struct StripButton {
    const char* tip;
    int offset;
    bool fromBottom;
    bool download;
  };
  const StripButton buttons[] = {
      {kDownloadToInternal, 60, false, true},
      {kUploadFromInternal, 101, false, false},
      {kDownloadToExternal, 137, true, true},
      {kUploadFromExternal, 96, true, false},
  };
  for (const StripButton& entry : buttons) {
    auto* button = new QToolButton;
    button->setToolTip(QString::fromUtf8(entry.tip));
    button->setIcon(arrowIcon(style(), entry.download));
    strip->addButton(button, entry.offset, entry.fromBottom);
    stripButtons_.push_back(button);
  }
  return strip;
}

QWidget* TrelliqWindow::buildPlayerPane() {
  playerStack_ = new QStackedWidget(this);
  notice_ = new QLabel(QString::fromUtf8(kNoPlayerNotice).remove('\r'), playerStack_);
  notice_->setAlignment(Qt::AlignCenter);
  notice_->setFrameShape(QFrame::Panel);
  notice_->setFrameShadow(QFrame::Sunken);
  notice_->setAutoFillBackground(true);
  notice_->setBackgroundRole(QPalette::Button);
  auto* noticeHolder = new QWidget(playerStack_);
  auto* noticeLayout = new QVBoxLayout(noticeHolder);
  noticeLayout->setContentsMargins(kPaneMargin, kPaneMargin, kPaneMargin, kPaneMargin);
  noticeLayout->addWidget(notice_);
  playerStack_->addWidget(noticeHolder);

  auto* viewsHolder = new QWidget(playerStack_);
  auto* viewsLayout = new QVBoxLayout(viewsHolder);
  viewsLayout->setContentsMargins(kPaneMargin, kPaneMargin, kPaneMargin, kPaneMargin);
  splitter_ = new QSplitter(Qt::Vertical, viewsHolder);
  for (int drive = 0; drive < 2; ++drive) {
    auto* view = new MemoryView(services_, drive, splitter_);
    views_[static_cast<size_t>(drive)] = view;
    splitter_->addWidget(view);
    connect(view, &MemoryView::selectionChanged, this, &TrelliqWindow::updateCommands);
  }
  splitter_->setSizes({1, 1});
  viewsLayout->addWidget(splitter_);
  playerStack_->addWidget(viewsHolder);
  return playerStack_;
}

QString TrelliqWindow::statusMessage() const {
  return statusBar()->currentMessage();
}

MemoryView* TrelliqWindow::memoryView(int drive) const {
  return drive == 0 || drive == 1 ? views_[static_cast<size_t>(drive)] : nullptr;
}

bool TrelliqWindow::playerShown() const {
  return playerStack_->currentIndex() == 1;
}

void TrelliqWindow::deviceChanged() {
  // The link is the worker's while an operation runs; the operation itself ends through the
  // failure pattern when the player has gone, and the pane is refreshed after it.
  if (services_.worker.busy()) {
    refreshPending_ = true;
    return;
  }
  refreshPlayerPane();
}

void TrelliqWindow::refreshPlayerPane() {
  refreshPending_ = false;
  RefreshPlayerPane(services_.link, pane_, false);
  if (pane_.driveCount < 1) {
    playerStack_->setCurrentIndex(0);
  } else {
    playerStack_->setCurrentIndex(1);
    views_[0]->setTitle(QString::fromUtf8(kInternalMemoryTitle));
    for (MemoryView* view : views_) view->reload(false);
  }
  const std::optional<std::string> version =
      pane_.driveCount > 0 ? services_.link.GetFirmwareVersion() : std::nullopt;
  firmwareLabel_->setText(QString::fromStdString(firmwareStatusText(version)));
  updateCommands();
}

MemoryView* TrelliqWindow::focusedMemoryView() const {
  const QWidget* focus = QApplication::focusWidget();
  for (MemoryView* view : views_)
    if (focus != nullptr && view->isAncestorOf(focus)) return view;
  return nullptr;
}

void TrelliqWindow::focusPane(bool next) {
  std::vector<QWidget*> panes{&desktop_->list()};
  if (playerShown())
    for (MemoryView* view : views_)
      if (view->list().isVisible()) panes.push_back(&view->list());
  size_t at = 0;
  const QWidget* focus = QApplication::focusWidget();
  for (size_t i = 0; i < panes.size(); ++i)
    if (focus == panes[i] || panes[i]->isAncestorOf(focus)) at = i;
  const size_t count = panes.size();
  panes[next ? (at + 1) % count : (at + count - 1) % count]->setFocus();
}

void TrelliqWindow::runCommand(int commandId) {
  QAction* own = action(commandId);
  if (own != nullptr && !own->isEnabled()) return;
  MemoryView* view = focusedMemoryView();
  switch (commandId) {
    case command::kExit:
      close();
      return;
    case command::kToolBar:
    case command::kStatusBar:
      if (commandId == command::kStatusBar) statusBar()->setVisible(own->isChecked());
      return;
    case command::kRefresh:
      if (services_.worker.busy()) return;
      if (view != nullptr) {
        view->reload(true);
      } else {
        desktop_->reload();
        if (playerShown())
          for (MemoryView* each : views_) each->reload(true);
      }
      break;
    case command::kDelete:
      if (view != nullptr)
        view->runCommand(command::kDelete);
      else if (desktop_->isAncestorOf(QApplication::focusWidget()))
        desktop_->deleteSelected();
      break;
    case command::kRename:
      if (view != nullptr) view->runCommand(command::kRename);
      break;
    case command::kNextPane:
      focusPane(true);
      break;
    case command::kPreviousPane:
      focusPane(false);
      break;
    case command::kToolbarAudioPlay:
    case command::kDesktopAudioPlay:
      desktop_->playAudio();
      break;
    default:
      if (isHandlerCommand(commandId)) runHandlerCommand(commandId);
      break;
  }
  updateCommands();
}

void TrelliqWindow::runHandlerCommand(int commandId) {
  DeviceCommandHandler& handler = services_.handler;
  if (services_.worker.busy() || !handler.handles(commandId) || !handler.isEnabled(commandId))
    return;
  const DeviceCommandOutcome outcome = handler.run(commandId, this);
  if (outcome == DeviceCommandOutcome::EndProgram) {
    close();
    return;
  }
  if (outcome == DeviceCommandOutcome::Done) {
    // Fonts live on drive 0 and the font copy lands in the desktop's folder.
    desktop_->reload();
    if (playerShown())
      for (MemoryView* view : views_) view->reload(false);
  }
}

void TrelliqWindow::updateCommands() {
  const bool idle = !services_.worker.busy();
  MemoryView* view = focusedMemoryView();
  const bool desktopFocused = desktop_->isAncestorOf(QApplication::focusWidget());
  for (auto it = actions_.cbegin(); it != actions_.cend(); ++it) {
    const int id = it.key();
    bool enabled = false;
    switch (id) {
      case command::kExit:
      case command::kToolBar:
      case command::kStatusBar:
      case command::kNextPane:
      case command::kPreviousPane:
        enabled = true;
        break;
      case command::kRefresh:
        enabled = idle;
        break;
      case command::kDelete:
        enabled = view != nullptr ? view->commandEnabled(id)
                                  : desktopFocused && !desktop_->selectedPaths().isEmpty();
        break;
      case command::kRename:
        enabled = view != nullptr && view->commandEnabled(id);
        break;
      case command::kToolbarAudioPlay:
      case command::kDesktopAudioPlay:
        enabled = desktop_->canPlayAudio();
        break;
      default:
        enabled = idle && isHandlerCommand(id) && services_.handler.handles(id) &&
                  services_.handler.isEnabled(id);
        break;
    }
    it.value()->setEnabled(enabled);
  }
}

void TrelliqWindow::upload(const PlayerEntries& entries, const QString& folder) {
  DeviceLink& link = services_.link;
  void* owner = this;
  auto shared = std::make_shared<PlayerEntries>(entries);
  services_.worker.start(
      [&link, owner, shared, target = folder.toStdString()] {
        return link.UploadFiles(owner, shared->drive, target, shared->entries);
      },
      [this, shared](DeviceCode) {
        desktop_->reload();
        views_[static_cast<size_t>(shared->drive)]->reload(false);
      });
}

void TrelliqWindow::showTransferProgress(int done, int total, const QString& name) {
  if (!services_.worker.busy()) return;  // a late report of an operation that has ended
  progress_->setRange(0, total);
  progress_->setValue(done);
  statusBar()->showMessage(QStringLiteral("%1 %2 (%3/%4)")
                               .arg(QString::fromUtf8(kBusyStatus), name)
                               .arg(done + 1)
                               .arg(total));
}

void TrelliqWindow::operationStarted() {
  progress_->setRange(0, 0);  // busy until the operation tells more
  progress_->show();
  statusBar()->showMessage(QString::fromUtf8(kBusyStatus));
  updateCommands();
}

void TrelliqWindow::operationFinished() {
  progress_->hide();
  statusBar()->clearMessage();
  if (refreshPending_) refreshPlayerPane();
  updateCommands();
}

void TrelliqWindow::showAsStored() {
  const auto command = services_.settings.integer(kWindowStateKey, kDefaultShowCommand);
  if (command == kShowMaximized)
    showMaximized();
  else if (command == kShowMinimized)
    showMinimized();
  else
    show();
}

void TrelliqWindow::saveSettings() {
  desktop_->saveSettings();
  for (MemoryView* view : views_) view->saveSettings();
  const int command =
      isMaximized() ? kShowMaximized : (isMinimized() ? kShowMinimized : kShowNormal);
  services_.settings.setInteger(kWindowStateKey, command);
  services_.settings.setText(kFileListFilterKey, desktop_->filter().toStdString());
  services_.settings.sync();
}

void TrelliqWindow::closeEvent(QCloseEvent* event) {
  services_.worker.waitUntilIdle();
  saveSettings();
  event->accept();
}

}  // namespace norva::device
