#include "editor/app/sontrava_window.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QFile>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QScreen>
#include <QSettings>
#include <QStatusBar>
#include <QTextDocument>
#include <QToolBar>
#include <stdexcept>

#include "audio/app/wav_to_mp3_dialog.h"
#include "audio/service/lame_encoder.h"
#include "base/service/registry_store.h"
#include "editor/app/audio_commands.h"
#include "editor/app/command_icons.h"
#include "editor/app/lyric_edit.h"
#include "editor/app/player_screen_dock.h"
#include "editor/app/verify_sync_dialog.h"
#include "editor/edit_rules.h"
#include "editor/editor_messages.h"
#include "editor/service/lyric_file_associations.h"
#include "editor/service/lyrics_adapter.h"
#include "editor/startup.h"
#include "lyrics/app/lrc_batch_dialog.h"
#include "lyrics/app/mpr_batch_dialog.h"
#include "lyrics/app/mpr_convert_dialog.h"
#include "lyrics/app/text_encoding_dialog.h"

namespace norva::editor {
namespace {

constexpr const char* kRecentGroup = "Recent File List";
constexpr const char* kRecentKey = "File%1";
constexpr const char* kPlayerScreenKey = "Settings/PlayerScreen";
constexpr Menu kMenuOrder[] = {Menu::File,    Menu::Edit,     Menu::View, Menu::Audio,
                               Menu::Convert, Menu::Settings, Menu::Help};

QString qt(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The label without its shown keys and mnemonic: "新建(&N)\tCtrl+N" gives "新建(N)".
QString plainLabel(std::string_view menuText) {
  QString label = qt(menuText.substr(0, menuText.find('\t')));
  return label.remove(u'&');
}

// The document keeps CR LF line ends; the view has one line feed a line.
QString viewText(const std::string& utf8) {
  return QString::fromUtf8(utf8).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

std::string documentText(QString viewed) {
  return viewed.replace(u'\n', QStringLiteral("\r\n")).toStdString();
}

// The class-root store is opened for each look and each change, so that what another program
// changed in between is kept.
bool lyricFilesAssociated() {
  RegistryStore store(RegistryStore::classesRootFile(RegistryStore::defaultFolder()));
  return LyricFileAssociations(store, {}, {}).isAssociated();
}

void changeAssociations(const QString& programPath, int commandId) {
  RegistryStore store(RegistryStore::classesRootFile(RegistryStore::defaultFolder()));
  LyricFileAssociations associations(store, QFile::encodeName(programPath).toStdString(),
                                     {xdgDataHome(), xdgConfigHome()});
  if (commandId == command::kSetAssociations)
    associations.associate();
  else
    associations.unassociate();
}

}  // namespace

std::vector<std::string> storedRecentFiles(QSettings& settings) {
  std::vector<std::string> files;
  settings.beginGroup(QLatin1String(kRecentGroup));
  for (size_t i = 1; i <= RecentFileList::kCapacity; ++i) {
    const QString entry =
        settings.value(QLatin1String(kRecentKey).arg(QString::number(i))).toString();
    if (!entry.isEmpty()) files.push_back(entry.toStdString());
  }
  settings.endGroup();
  return files;
}

SontravaWindow::SontravaWindow(SontravaEnvironment env, QWidget* parent)
    : QMainWindow(parent),
      env_(std::move(env)),
      chooser_(*env_.dialogs, *env_.prompter),
      session_(*env_.prompter, chooser_,
               env_.settings != nullptr ? storedRecentFiles(*env_.settings)
                                        : std::vector<std::string>{}) {
  if (env_.mediaPlayer == nullptr)
    throw std::invalid_argument("SontravaWindow needs a media player");
  setWindowIcon(applicationIcon());
  edit_ = new LyricEdit(this);
  edit_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  setCentralWidget(edit_);

  buildActions();
  buildMenus();
  buildToolbars();
  buildStatusBar();
  installPlayerScreen();

  // --- Audio: the sync commands, their poll and the time pane.
  audio_ = new AudioCommands(*env_.mediaPlayer, session_, *edit_, *env_.prompter, *timePane_, this);
  connect(audio_, &AudioCommands::stateChanged, this, &SontravaWindow::refreshCommands);
  connect(audio_, &AudioCommands::audioOpenChanged, this, &SontravaWindow::audioOpenChanged);
  session_.setBeforeCompile([this] { audio_->stopPlayer(); });
  // The player's screen follows the audio while it is open; the verify dialog takes its file.
  setAudioLink(EditorAudioLink{[this]() -> std::optional<double> {
                                 if (!audio_->audioOpen()) return std::nullopt;
                                 return audio_->player().position();
                               },
                               [this] { return audio_->audioPath(); },
                               [this] { audio_->stopPlayer(); }});
  // --- end of audio.

  connect(edit_, &QPlainTextEdit::textChanged, this, &SontravaWindow::viewTextChanged);
  edit_->installEventFilter(this);
  connect(edit_, &QPlainTextEdit::cursorPositionChanged, this, &SontravaWindow::refreshCommands);
  connect(edit_, &QPlainTextEdit::selectionChanged, this, &SontravaWindow::refreshCommands);
  connect(edit_, &QPlainTextEdit::undoAvailable, this, &SontravaWindow::refreshCommands);
  connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this,
          &SontravaWindow::refreshCommands);

  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect area = screen->geometry();
    const WindowRect place = mainWindowRect({area.x(), area.y(), area.width(), area.height()});
    resize(place.width, place.height);
    move(place.x, place.y);
  }
  showDocument();
  afterFileCommand();
}

SontravaWindow::~SontravaWindow() = default;

QAction* SontravaWindow::makeAction(const EditorCommand& cmd) {
  auto* action = new QAction(commandIcon(cmd.id, *style()), qt(cmd.text), this);
  action->setData(cmd.id);
  QList<QKeySequence> keys;
  for (std::string_view key : cmd.keys)
    if (!key.empty()) keys << QKeySequence(qt(key), QKeySequence::PortableText);
  action->setShortcuts(keys);
  const QString label = plainLabel(cmd.text);
  action->setIconText(label);
  action->setToolTip(label);
  action->setStatusTip(plainLabel(statusText(cmd.id)));
  action->setCheckable(cmd.checked != nullptr);
  const int id = cmd.id;
  connect(action, &QAction::triggered, this, [this, id] { execute(id); });
  actions_[id] = action;
  addAction(action);  // its keys work whether or not a menu shows it
  return action;
}

void SontravaWindow::buildActions() {
  for (const EditorCommand& cmd : editorCommands()) {
    if (cmd.isSeparator()) continue;
    if (cmd.id != command::kRecentFiles) {
      makeAction(cmd);
      continue;
    }
    for (size_t i = 0; i < recentActions_.size(); ++i) {
      const int id = command::kRecentFiles + static_cast<int>(i);
      auto* action = new QAction(this);
      action->setData(id);
      connect(action, &QAction::triggered, this, [this, id] { execute(id); });
      recentActions_[i] = action;
      actions_[id] = action;
    }
  }
}

void SontravaWindow::buildMenus() {
  for (Menu which : kMenuOrder) {
    QMenu* menu = menuBar()->addMenu(qt(menuTitle(which)));
    menus_[which] = menu;
    connect(menu, &QMenu::aboutToShow, this, &SontravaWindow::refreshCommands);
  }
  for (const EditorCommand& cmd : editorCommands()) {
    if (cmd.menu == Menu::None) continue;
    QMenu* menu = menus_.at(cmd.menu);
    if (cmd.isSeparator()) {
      menu->addSeparator();
    } else if (cmd.id == command::kRecentFiles) {
      for (QAction* recent : recentActions_) menu->addAction(recent);
    } else {
      menu->addAction(actions_.at(cmd.id));
    }
  }
}

void SontravaWindow::buildToolbars() {
  auto build = [this](QToolBar* bar, std::span<const int> buttons) {
    bar->setIconSize(QSize(16, 16));
    bar->setFloatable(true);
    bar->setMovable(true);
    for (int id : buttons) {
      if (id == command::kSeparator)
        bar->addSeparator();
      else
        bar->addAction(actions_.at(id));
    }
    connect(bar, &QToolBar::visibilityChanged, this, &SontravaWindow::refreshCommands);
  };
  mainToolbar_ = new QToolBar(plainLabel(text::kMainToolbar), this);
  mainToolbar_->setObjectName(QStringLiteral("mainToolbar"));
  build(mainToolbar_, mainToolbarButtons());
  addToolBar(Qt::TopToolBarArea, mainToolbar_);
  syncToolbar_ = new QToolBar(plainLabel(text::kSyncToolbar), this);
  syncToolbar_->setObjectName(QStringLiteral("syncToolbar"));
  build(syncToolbar_, syncToolbarButtons());
  addToolBar(Qt::TopToolBarArea, syncToolbar_);  // on the same row, right of the main one
}

void SontravaWindow::buildStatusBar() {
  auto pane = [this](std::string_view text, std::string_view sizer) {
    auto* label = new QLabel(qt(text), statusBar());
    label->setAlignment(Qt::AlignCenter);
    label->setMinimumWidth(label->fontMetrics().horizontalAdvance(qt(sizer)) + 6);
    statusBar()->addPermanentWidget(label);
    return label;
  };
  timePane_ = pane({}, text::kPlayTimeSizer);
  timePane_->setEnabled(false);  // no audio is open
  lineColumnPane_ = pane(text::kLineColumnSizer, text::kLineColumnSizer);
  // The lock keys' state is not available from every desktop; the panes are shown dimmed.
  for (std::string_view lock : {text::kCapsLock, text::kNumLock, text::kScrollLock})
    pane(lock, lock)->setEnabled(false);
}

QAction* SontravaWindow::action(int commandId) const {
  const auto found = actions_.find(commandId);
  return found == actions_.end() ? nullptr : found->second;
}

QMenu* SontravaWindow::menu(Menu which) const {
  const auto found = menus_.find(which);
  return found == menus_.end() ? nullptr : found->second;
}

CommandState SontravaWindow::commandState() const {
  CommandState state = session_.commandState();
  state.canUndo = edit_->document()->isUndoAvailable();
  state.hasSelection = edit_->textCursor().hasSelection();
  const QMimeData* clip = QGuiApplication::clipboard()->mimeData();
  state.canPaste = clip != nullptr && clip->hasText() && !edit_->isReadOnly();
  state.mainToolbarVisible = mainToolbar_->isVisibleTo(this);
  state.syncToolbarVisible = syncToolbar_->isVisibleTo(this);
  state.statusBarVisible = statusBar()->isVisibleTo(this);
  state.wordWrap = wordWrap_;
  state.features |= static_cast<unsigned>(Feature::ConverterDialogs);
  state.features |= static_cast<unsigned>(Feature::Audio);
  audio_->addTo(state);
  state.playerScreenVisible = playerScreen_->isVisibleTo(this);
  state.features |= static_cast<unsigned>(Feature::WavToMp3);
  state.features |= static_cast<unsigned>(Feature::Associations);
  state.associated = lyricFilesAssociated();
  state.features |= static_cast<unsigned>(Feature::Batch);  // the LRC and MPR batch dialogs
  return state;
}

void SontravaWindow::refreshCommands() {
  const CommandState state = commandState();
  for (const auto& [id, act] : actions_) {
    const bool recent = id >= command::kRecentFiles &&
                        id < command::kRecentFiles + static_cast<int>(RecentFileList::kCapacity);
    act->setEnabled(editor::isEnabled(recent ? command::kRecentFiles : id, state));
    if (act->isCheckable()) act->setChecked(editor::isChecked(id, state));
  }
  updateLineColumn();
}

CommandOutcome SontravaWindow::execute(int commandId) {
  const int tableId =
      commandId >= command::kRecentFiles &&
              commandId < command::kRecentFiles + static_cast<int>(RecentFileList::kCapacity)
          ? command::kRecentFiles
          : commandId;
  if (!editor::isEnabled(tableId, commandState())) return CommandOutcome::Disabled;
  using namespace command;
  CommandOutcome outcome = CommandOutcome::Done;
  switch (commandId) {
    case kNew:
    case kOpen:
    case kSave:
    case kSaveAs:
    case kConvertToLyr:
    case kLrcToLyr:
    case kTlyToSami: {
      const std::string before = session_.document().text();
      outcome = session_.run(commandId);
      if (outcome == CommandOutcome::Done && (commandId == kNew || commandId == kOpen))
        audio_->closeAudio();
      if (outcome == CommandOutcome::Done &&
          (commandId == kNew || commandId == kOpen || session_.document().text() != before))
        showDocument();
      afterFileCommand();
      break;
    }
    // --- Audio commands.
    case kOpenAudio:
    case kSetPosition:
    case kSyncFromCursor:
    case kForward:
    case kBackward:
    case kPlay:
    case kPause:
    case kStop:
    case kStepBack:
    case kSync:
      outcome = audio_->run(commandId);
      if (commandId == kOpenAudio) updateTitle();
      break;
    // --- end of audio commands.
    case kUndo:
      edit_->undo();
      break;
    case kCut:
      edit_->cut();
      break;
    case kCopy:
      edit_->copy();
      break;
    case kPaste:
      edit_->paste();
      break;
    case kPrint:
      env_.printer->print(*edit_->document(), this);
      break;
    case kPrintDirect:
      env_.printer->printDirect(*edit_->document(), this);
      break;
    case kPrintPreview:
      env_.printer->preview(*edit_->document(), this);
      break;
    case kPrintSetup:
      env_.printer->pageSetup(this);
      break;
    case kExit:
      close();
      break;
    case kChooseFont:
      chooseFont();
      break;
    case kWordWrap:
      switchWordWrap();
      break;
    case kMainToolbar:
      mainToolbar_->setVisible(!mainToolbar_->isVisibleTo(this));
      break;
    case kSyncToolbar:
      syncToolbar_->setVisible(!syncToolbar_->isVisibleTo(this));
      break;
    case kStatusBar:
      statusBar()->setVisible(!statusBar()->isVisibleTo(this));
      break;
    case kInsertLineBreak:
      insertLineBreak();
      break;
    case kAbout:
      if (env_.showAbout) env_.showAbout(this);
      break;
    case kUserManual:
      desktop::openManual(env_.openUrl, env_.programPath, qt(text::kUserManual));
      break;
    case kMp3ToMpr:
      runMprDialog();
      break;
    case kBatchTextEncoding:
      runTextEncodingDialog();
      break;
    case kVerifySync:
      runVerifyDialog();
      break;
    case kPlayerScreen:
      switchPlayerScreen();
      break;
    case kWavToMp3: {  // the WAV to MP3 window, encoding with LAME at its default settings
      lyr::app::QtListChoosers desktopChoosers(this);
      audio::LameEncoder encoder;
      audio::app::WavToMp3Dialog dialog(
          *env_.prompter, env_.listChoosers != nullptr ? *env_.listChoosers : desktopChoosers,
          encoder, this);
      dialog.exec();
      break;
    }
    case kSetAssociations:
    case kRemoveAssociations:
      changeAssociations(env_.programPath, commandId);
      break;
    case kBatchLrcToLyr:
    case kBatchMp3ToMpr:
      runBatchDialog(commandId);
      break;
    case kNextPane:
    case kPreviousPane:
      edit_->setFocus();  // the view is the window's only pane
      break;
    default:
      if (tableId == kRecentFiles) {
        const size_t index = static_cast<size_t>(commandId - kRecentFiles);
        const auto& entries = session_.recentFiles().entries();
        outcome = index < entries.size() ? openPath(QString::fromStdString(entries[index]))
                                         : CommandOutcome::Disabled;
      } else {
        outcome = CommandOutcome::Disabled;  // a piece of the program not built yet
      }
      break;
  }
  refreshCommands();
  return outcome;
}

void SontravaWindow::runMprDialog() {
  lyr::app::MprConvertDialog dialog(*env_.prompter, *env_.dialogs, this);
  dialog.exec();
}

void SontravaWindow::runTextEncodingDialog() {
  lyr::app::QtListChoosers desktopChoosers(this);
  lyr::app::ListChoosers& choosers =
      env_.listChoosers != nullptr ? *env_.listChoosers : desktopChoosers;
  lyr::app::TextEncodingDialog dialog(*env_.prompter, choosers, this);
  dialog.exec();
}

void SontravaWindow::installPlayerScreen() {
  playerScreen_ = new PlayerScreenDock(
      plainLabel(text::kPlayerScreen),
      env_.makeTicks ? env_.makeTicks : preview::TickSourceFactory(preview::makeQtTickSource),
      this);
  playerScreen_->hide();
  addDockWidget(Qt::RightDockWidgetArea, playerScreen_);
  // The text as the convert command compiles it: LRC with the LRC compile, SAMI source
  // converted to timed text, anything else as timed text.
  playerScreen_->setLyricSource([this] {
    const LyricDocument& document = session_.document();
    switch (document.type()) {
      case LyricFileType::Lrc:
        return LiveLyric::compileLrc(document.text());
      case LyricFileType::Sami:
        return LiveLyric::compile(samiAsTimedText(document.text()));
      case LyricFileType::Text:
      case LyricFileType::Tly:
      case LyricFileType::Lyr:
        break;
    }
    return LiveLyric::compile(document.text());
  });
  connect(edit_, &QPlainTextEdit::textChanged, playerScreen_, &PlayerScreenDock::textEdited);
  connect(playerScreen_, &PlayerScreenDock::closedByUser, this, [this] {
    storePlayerScreenShown();
    refreshCommands();
  });
  const bool shown =
      env_.settings != nullptr && env_.settings->value(QLatin1String(kPlayerScreenKey)).toBool();
  playerScreen_->setVisible(shown);
}

void SontravaWindow::setAudioLink(EditorAudioLink link) {
  audioLink_ = std::move(link);
  playerScreen_->setPositionSource(audioLink_.position);
}

void SontravaWindow::switchPlayerScreen() {
  playerScreen_->setVisible(!playerScreen_->isVisibleTo(this));
  storePlayerScreenShown();
}

void SontravaWindow::storePlayerScreenShown() const {
  if (env_.settings == nullptr) return;
  env_.settings->setValue(QLatin1String(kPlayerScreenKey), playerScreen_->isVisibleTo(this));
  env_.settings->sync();
}

void SontravaWindow::runVerifyDialog() {
  if (!env_.makeVerifyPlayer) return;
  // The editor's audio stops and stays open.
  if (audioLink_.stopPlayback) audioLink_.stopPlayback();
  VerifySyncEnvironment verifyEnv;
  verifyEnv.prompter = env_.prompter;
  verifyEnv.chooser = &chooser_;
  verifyEnv.player = env_.makeVerifyPlayer();
  verifyEnv.makeTicks = env_.makeTicks;
  const std::filesystem::path audio =
      audioLink_.audioPath ? audioLink_.audioPath() : std::filesystem::path{};
  CVerifySyncDlg dialog(audio, std::move(verifyEnv), this);
  dialog.exec();
}

void SontravaWindow::runBatchDialog(int commandId) {
  lyr::app::QtListChoosers desktopChoosers(this);
  lyr::app::ListChoosers& choosers =
      env_.listChoosers != nullptr ? *env_.listChoosers : desktopChoosers;
  if (commandId == command::kBatchLrcToLyr) {
    lyr::app::LrcBatchDialog dialog(*env_.prompter, choosers, this);
    dialog.exec();
  } else {
    lyr::app::MprBatchDialog dialog(*env_.prompter, choosers, this);
    dialog.exec();
  }
}

CommandOutcome SontravaWindow::openPath(const QString& path) {
  const CommandOutcome outcome = session_.openPath(path.toStdString());
  if (outcome == CommandOutcome::Done) {
    audio_->closeAudio();
    showDocument();
  }
  afterFileCommand();
  refreshCommands();
  return outcome;
}

void SontravaWindow::showDocument() {
  showing_ = true;
  edit_->setPlainText(viewText(session_.displayText()));
  showing_ = false;
  edit_->document()->setModified(false);
  updateTitle();
}

void SontravaWindow::viewTextChanged() {
  if (showing_) return;
  session_.setTextFromView(documentText(edit_->toPlainText()));
  updateTitle();
  refreshCommands();
}

void SontravaWindow::afterFileCommand() {
  updateTitle();
  updateRecentFiles();
  storeRecentFiles();
  statusBar()->showMessage(qt(session_.statusMessage()));
}

void SontravaWindow::updateTitle() {
  setWindowTitle(qt(session_.document().windowTitle()));
}

void SontravaWindow::updateLineColumn() {
  const QString text = qt(lineColumnPaneText(edit_->caretLine(), edit_->caretColumn()));
  lineColumnPane_->setText(text);
  lineColumnPane_->setMinimumWidth(lineColumnPane_->fontMetrics().horizontalAdvance(text) + 6);
}

void SontravaWindow::updateRecentFiles() {
  const auto& entries = session_.recentFiles().entries();
  for (size_t i = 0; i < recentActions_.size(); ++i) {
    QAction* recent = recentActions_[i];
    recent->setVisible(i < entries.size());
    if (i < entries.size())
      recent->setText(qt(text::kRecentEntryFormat)
                          .replace(QStringLiteral("%d"), QString::number(i + 1))
                          .replace(QStringLiteral("%s"), QString::fromStdString(entries[i])));
  }
}

void SontravaWindow::storeRecentFiles() const {
  if (env_.settings == nullptr) return;
  const auto& entries = session_.recentFiles().entries();
  env_.settings->beginGroup(QLatin1String(kRecentGroup));
  for (size_t i = 0; i < RecentFileList::kCapacity; ++i) {
    const QString key = QLatin1String(kRecentKey).arg(QString::number(i + 1));
    if (i < entries.size())
      env_.settings->setValue(key, QString::fromStdString(entries[i]));
    else
      env_.settings->remove(key);
  }
  env_.settings->endGroup();
  env_.settings->sync();
}

void SontravaWindow::switchWordWrap() {
  wordWrap_ = !wordWrap_;
  // The view is remade as the edit control is: same text and font, no undo history, and the
  // larger room.
  edit_->setLineWrapMode(wordWrap_ ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
  edit_->document()->clearUndoRedoStacks();
  edit_->document()->setModified(false);
  wrapSwitched_ = true;
  edit_->setByteLimit(textLimit(wrapSwitched_));
}

void SontravaWindow::chooseFont() {
  if (env_.fonts == nullptr) return;
  const std::optional<QFont> font = env_.fonts->choose(edit_->font(), this);
  if (!font) return;
  edit_->setFont(*font);
  session_.document().setDisplayFont({font->family().toStdString(), font->pointSize()});
}

void SontravaWindow::insertLineBreak() {
  // Replaces the selection; the replacement cannot be undone.
  if (edit_->insertLimited(qt(kLineBreakMark), false)) edit_->document()->clearUndoRedoStacks();
}

int SontravaWindow::altAcceleratorCommand(const QKeyEvent& key) const {
  if (key.modifiers() != Qt::AltModifier) return 0;
  const QKeySequence pressed(key.keyCombination());
  for (const auto& [id, act] : actions_)
    if (act->shortcuts().contains(pressed)) return id;
  return 0;
}

bool SontravaWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched != edit_ ||
      (event->type() != QEvent::ShortcutOverride && event->type() != QEvent::KeyPress))
    return QMainWindow::eventFilter(watched, event);
  auto* key = static_cast<QKeyEvent*>(event);
  const int id = altAcceleratorCommand(*key);
  if (id == 0) return QMainWindow::eventFilter(watched, event);
  // Taking the shortcut override brings the key to the text as a key press, carried out here.
  key->accept();
  if (event->type() == QEvent::KeyPress) execute(id);
  return true;
}

void SontravaWindow::closeEvent(QCloseEvent* event) {
  if (session_.requestClose() != CommandOutcome::Done) {
    event->ignore();
    return;
  }
  storeRecentFiles();
  event->accept();
}

}  // namespace norva::editor
