#pragma once
// The editor's audio commands over a media player: open audio (the text becomes the TLY document
// named after it), Sync and Step back as single undo steps of the edit view that also restore the
// sync count, Sync from cursor paragraph, the position commands, Play, Pause, Stop, the player
// state poll on a timer and the time pane. The window asks the command table whether a command is
// enabled before it hands it here.
#include <QObject>
#include <QTimer>
#include <filesystem>

#include "audio/media_playback.h"
#include "base/prompter.h"
#include "editor/editor_commands.h"
#include "editor/service/editor_session.h"

class QLabel;
class QWidget;

namespace norva::editor {

class LyricEdit;

class AudioCommands : public QObject {
  Q_OBJECT
 public:
  // How often the player's state is read while audio is open.
  static constexpr int kPollIntervalMs = 100;

  AudioCommands(audio::MediaPlayback& player, EditorSession& session, LyricEdit& edit,
                Prompter& prompter, QLabel& timePane, QWidget* window);

  audio::MediaPlayback& player() { return player_; }
  bool audioOpen() const { return audioOpen_; }
  bool paused() const { return paused_; }
  bool stopped() const { return stopped_; }
  const std::filesystem::path& audioPath() const { return audioPath_; }
  const QTimer& pollTimer() const { return pollTimer_; }

  // The audio part of the commands' enabling state.
  void addTo(CommandState& state) const;
  // Carries out one of the audio commands (32774, 32835 to 32838, 32786, 32787, 32793, 32779,
  // 32778); the caller has checked that it is enabled.
  CommandOutcome run(int commandId);
  // New and opening a document close the audio.
  void closeAudio();
  // The convert commands stop the player; the audio stays open and the poll notes the stop.
  void stopPlayer();
  // Shows the playback time, or nothing (disabled) without audio.
  void updateTimePane();

 public slots:
  // The player state poll: notes the end of the song, and closes the audio with a message on a
  // player error or a missing sound device.
  void poll();

 signals:
  // Audio was opened (true) or closed (false).
  void audioOpenChanged(bool open);
  // The flags the enabling rules read have changed.
  void stateChanged();

 private:
  CommandOutcome openAudio();
  CommandOutcome sync();
  CommandOutcome stepBack();
  CommandOutcome syncFromCursor();
  CommandOutcome setPosition();
  CommandOutcome play();
  CommandOutcome pause();
  CommandOutcome stop();
  void moveBy(double seconds);
  void markClosed();
  // The view's text as the paragraph rules read it (one LF a paragraph).
  std::string viewText() const;
  // Replaces `length` characters at the start of paragraph `paragraph` with `inserted`, as one
  // undo step of the view that also takes the sync count from `countBefore` to `countAfter`.
  void editParagraphStart(int paragraph, int length, const QString& inserted, int countBefore,
                          int countAfter);

  audio::MediaPlayback& player_;
  EditorSession& session_;
  LyricEdit& edit_;
  Prompter& prompter_;
  QLabel& timePane_;
  QWidget* window_;
  QTimer pollTimer_;
  bool audioOpen_ = false;
  bool paused_ = false;
  bool stopped_ = false;
  std::filesystem::path audioPath_;
};

}  // namespace norva::editor
