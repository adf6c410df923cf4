#pragma once
// Everything the preview player window does, below the widgets: the play state, the engine
// (present only while playing or paused), the lyric, the 200 ms progress step, the 3 s refresh
// of the name, and the sliders' effects. The window shows what the signals say and forwards
// the buttons and sliders.
//
// The window keeps one sound device for its whole life; every engine plays through it. So the
// volume is read from the device and set on it whether or not an engine exists.
#include <QObject>
#include <QString>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>

#include "audio/audio_output.h"
#include "preview/app/tick_source.h"
#include "preview/lyric_track.h"
#include "preview/service/mpeg_player.h"

namespace norva::preview {

struct PreviewEnvironment {
  // The sound device, made once when the window opens.
  std::function<std::unique_ptr<audio::AudioOutput>()> makeOutput;
  // The window's repeating timers (progress, name refresh, name animation).
  TickSourceFactory makeTicks;
};

enum class PlayState { Stopped = 0, Playing = 1, Paused = 2 };
const char* toString(PlayState state);

// The window's commands by number, as its buttons send them.
enum class PreviewCommand { Close = 1, Stop = 4, Pause = 5, Play = 6 };

class PreviewPlayerController : public QObject {
  Q_OBJECT
 public:
  static constexpr std::chrono::milliseconds kProgressInterval{200};
  static constexpr std::chrono::milliseconds kInfoRefreshInterval{3000};
  static constexpr int kPositionScale = 1000;

  // `isMp3`: an MP3 (its lyric is the .LYR beside it), otherwise an MPR (its lyric is its head).
  PreviewPlayerController(QString path, bool isMp3, PreviewEnvironment env,
                          QObject* parent = nullptr);
  ~PreviewPlayerController() override;

  // What the window does when it opens: the name, then Play.
  void start();

  void play();
  void pause();
  void stop();

  // The volume slider was moved to `percent`.
  void setVolume(int percent);
  // The position slider: the first move of a drag, and the end of a scroll at `position`.
  void beginPositionDrag();
  void endPositionScroll(int position);

  // The window's caption: MP3 Player - "<full path>".
  QString windowTitle() const;
  // The file's name: the part after the last folder separator.
  QString fileName() const;
  const QString& path() const { return path_; }

  PlayState state() const { return state_; }
  bool hasEngine() const { return engine_ != nullptr; }
  const MpegPlayer* engine() const { return engine_.get(); }
  // Why the last Play from the stopped state did not start playing (Opened when it did).
  OpenOutcome lastOpenOutcome() const { return lastOpen_; }
  bool dragging() const { return dragging_; }
  audio::AudioOutput& device() { return *device_; }
  TickSource& progressTicks() { return *progress_; }
  TickSource& infoTicks() { return *infoRefresh_; }

 signals:
  void infoTextChanged(const QString& text);
  // Status part 0: the lyric screen (lines separated by CR) or a message; empty clears it.
  void lyricTextChanged(const QString& text);
  // Status part 1: " mm:ss ".
  void timeTextChanged(const QString& text);
  void positionChanged(int thousandths);
  void volumeShown(int percent);

 private:
  void progressStep();
  void refreshInfo();
  void loadLyric();
  void startTimers();
  void stopTimers();
  // Engine gone, timers stopped, slider at 0, lyric part empty.
  void dropEngine();

  QString path_;
  bool isMp3_;
  PreviewEnvironment env_;
  std::unique_ptr<audio::AudioOutput> device_;
  std::unique_ptr<TickSource> progress_;
  std::unique_ptr<TickSource> infoRefresh_;
  PlayState state_ = PlayState::Stopped;
  std::unique_ptr<MpegPlayer> engine_;
  OpenOutcome lastOpen_ = OpenOutcome::Opened;
  std::optional<LyricTrack> lyric_;
  LyricProgress lyricProgress_{nullptr};
  bool dragging_ = false;
};

}  // namespace norva::preview
