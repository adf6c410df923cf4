#include "editor/app/audio_commands.h"

#include <QAbstractUndoItem>
#include <QApplication>
#include <QLabel>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <functional>

#include "base/service/file_io.h"
#include "editor/app/lyric_edit.h"
#include "editor/app/set_position_dialog.h"
#include "editor/edit_rules.h"
#include "editor/editor_messages.h"
#include "editor/sync_edits.h"

namespace norva::editor {
namespace {

constexpr double kStepSeconds = 1.0;

QString qt(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The sync count's part of a Sync or Step back undo step: undoing the step gives the count it
// had before, redoing it the count after.
class SyncCountUndo : public QAbstractUndoItem {
 public:
  SyncCountUndo(std::function<void(int)> setCount, int before, int after)
      : setCount_(std::move(setCount)), before_(before), after_(after) {}
  void undo() override { setCount_(before_); }
  void redo() override { setCount_(after_); }

 private:
  std::function<void(int)> setCount_;
  int before_;
  int after_;
};

}  // namespace

AudioCommands::AudioCommands(audio::MediaPlayback& player, EditorSession& session, LyricEdit& edit,
                             Prompter& prompter, QLabel& timePane, QWidget* window)
    : QObject(window),
      player_(player),
      session_(session),
      edit_(edit),
      prompter_(prompter),
      timePane_(timePane),
      window_(window) {
  pollTimer_.setInterval(kPollIntervalMs);
  connect(&pollTimer_, &QTimer::timeout, this, &AudioCommands::poll);
  updateTimePane();
}

void AudioCommands::addTo(CommandState& state) const {
  state.audioOpen = audioOpen_;
  state.paused = paused_;
  state.stopped = stopped_;
}

CommandOutcome AudioCommands::run(int commandId) {
  using namespace command;
  switch (commandId) {
    case kOpenAudio:
      return openAudio();
    case kSetPosition:
      return setPosition();
    case kSyncFromCursor:
      return syncFromCursor();
    case kForward:
      moveBy(kStepSeconds);
      return CommandOutcome::Done;
    case kBackward:
      moveBy(-kStepSeconds);
      return CommandOutcome::Done;
    case kPlay:
      return play();
    case kPause:
      return pause();
    case kStop:
      return stop();
    case kStepBack:
      return stepBack();
    case kSync:
      return sync();
    default:
      return CommandOutcome::NotSessionCommand;
  }
}

CommandOutcome AudioCommands::openAudio() {
  const std::optional<std::filesystem::path> chosen = session_.chooseAudioFile();
  if (!chosen) return CommandOutcome::Cancelled;
  if (audioOpen_) player_.stop();
  // A file that cannot be read changes nothing; one that cannot be decoded is the player's to
  // report, through the poll.
  if (!readFilePart(*chosen, 0, 1)) return CommandOutcome::Refused;
  session_.nameAfterAudio(*chosen);
  audioPath_ = *chosen;
  player_.openAndPlay(*chosen);
  audioOpen_ = true;
  paused_ = false;
  stopped_ = false;
  pollTimer_.start();
  updateTimePane();
  emit audioOpenChanged(true);
  emit stateChanged();
  return CommandOutcome::Done;
}

std::string AudioCommands::viewText() const {
  return edit_.toPlainText().toStdString();
}

void AudioCommands::editParagraphStart(int paragraph, int length, const QString& inserted,
                                       int countBefore, int countAfter) {
  QTextDocument& document = *edit_.document();
  const QTextBlock block = document.findBlockByNumber(paragraph);
  QTextCursor cursor(&document);
  cursor.beginEditBlock();
  cursor.setPosition(block.position());
  cursor.setPosition(block.position() + length, QTextCursor::KeepAnchor);
  cursor.insertText(inserted);
  document.appendUndoItem(new SyncCountUndo(
      [this](int count) {
        session_.document().setSyncCount(count);
        emit stateChanged();
      },
      countBefore, countAfter));
  cursor.endEditBlock();
  session_.document().setSyncCount(countAfter);
  edit_.setTextCursor(cursor);
  edit_.ensureCursorVisible();
}

CommandOutcome AudioCommands::sync() {
  const int count = session_.document().syncCount();
  const SyncEdit edit = syncParagraph(viewText(), count, player_.position());
  if (!edit.changedText()) return CommandOutcome::Refused;
  const std::string tag = edit.text.substr(edit.tagStart, edit.tagEnd - edit.tagStart);
  // The tag goes in whole or not at all: the view's room is the document's limit.
  if (fittingInsertBytes(edit_.textBytes(), 0, tag, edit_.byteLimit()) < tag.size()) {
    QApplication::beep();
    return CommandOutcome::Refused;
  }
  editParagraphStart(count, 0, QString::fromLatin1(tag.data(), static_cast<qsizetype>(tag.size())),
                     edit.syncCountBefore, edit.syncCountAfter);
  return CommandOutcome::Done;
}

CommandOutcome AudioCommands::stepBack() {
  const int count = session_.document().syncCount();
  const SyncEdit edit = editor::stepBack(viewText(), count);
  if (edit.rewindSeconds) player_.setPosition(*edit.rewindSeconds);
  if (edit.outcome == SyncEditOutcome::RewoundToStart) return CommandOutcome::Done;
  if (!edit.changedText()) return CommandOutcome::Refused;
  editParagraphStart(count - 1, static_cast<int>(edit.tagEnd - edit.tagStart), QString(),
                     edit.syncCountBefore, edit.syncCountAfter);
  return CommandOutcome::Done;
}

CommandOutcome AudioCommands::syncFromCursor() {
  const QTextCursor cursor = edit_.textCursor();
  const std::string before =
      edit_.toPlainText().left(cursor.selectionStart()).toUtf8().toStdString();
  session_.document().setSyncCount(syncCountAtCursor(before, before.size(), before.size()));
  emit stateChanged();
  return CommandOutcome::Done;
}

void AudioCommands::moveBy(double seconds) {
  player_.setPosition(positionAfterStep(player_.position(), seconds));
  updateTimePane();
}

CommandOutcome AudioCommands::setPosition() {
  const std::optional<int64_t> entered = SetPositionDialog::ask(prompter_, window_);
  if (!entered) return CommandOutcome::Cancelled;
  const std::optional<double> seconds = enteredPositionSeconds(*entered);
  if (!seconds) return CommandOutcome::Refused;
  // The dialog may have been open while the poll closed the audio.
  if (!audioOpen_) return CommandOutcome::Refused;
  player_.setPosition(*seconds);
  updateTimePane();
  return CommandOutcome::Done;
}

CommandOutcome AudioCommands::play() {
  player_.play();
  paused_ = false;
  stopped_ = false;
  emit stateChanged();
  return CommandOutcome::Done;
}

CommandOutcome AudioCommands::pause() {
  player_.pause();
  paused_ = true;
  emit stateChanged();
  return CommandOutcome::Done;
}

CommandOutcome AudioCommands::stop() {
  player_.stop();
  player_.setPosition(0.0);
  stopped_ = true;
  session_.document().setSyncCount(0);
  updateTimePane();
  emit stateChanged();
  return CommandOutcome::Done;
}

void AudioCommands::stopPlayer() {
  if (audioOpen_) player_.stop();
}

void AudioCommands::markClosed() {
  audioOpen_ = false;
  pollTimer_.stop();
  player_.close();
  updateTimePane();
  emit audioOpenChanged(false);
  emit stateChanged();
}

void AudioCommands::closeAudio() {
  if (audioOpen_) markClosed();
}

void AudioCommands::poll() {
  if (!audioOpen_) return;
  const std::string error = player_.errorDescription();
  const bool soundCard = player_.soundCardPresent();
  if (error.empty() && soundCard) {
    if (player_.playState() == audio::MediaPlayState::Stopped && !stopped_) {
      stopped_ = true;
      emit stateChanged();
    }
    updateTimePane();
    return;
  }
  // The tags placed so far stay in the text.
  session_.document().setSyncCount(0);
  markClosed();
  const std::string shown = soundCard ? error : std::string(text::kNoSoundCard);
  prompter_.show({shown, std::string(text::kAppName), MessageIcon::Error, MessageButtons::Ok});
}

void AudioCommands::updateTimePane() {
  const std::optional<std::string> shown =
      audioOpen_ ? timePaneText(player_.position()) : std::nullopt;
  timePane_.setEnabled(shown.has_value());
  timePane_.setText(shown ? qt(*shown) : QString());
}

}  // namespace norva::editor
