#pragma once
// A media player for tests of its callers: it plays nothing, its clock moves only when the test
// calls advance(), and it knows only the files the test adds. It keeps the same rules as the
// real player (seek targets kept inside the file, Play after the end starts again, a failed
// open leaves nothing open) and a log of the operations called on it. One thread only.
#include <map>
#include <string>
#include <vector>

#include "audio/media_playback.h"

namespace norva::audio {

class FakeMediaPlayer : public MediaPlayback {
 public:
  // A file that opens and lasts `seconds`.
  void addFile(const std::filesystem::path& path, double seconds);
  // Moves the clock: a playing file goes on by `seconds` and stops at its end.
  void advance(double seconds);
  // A failure while playing: playing stops and errorDescription() gives `text`.
  void failWith(std::string text);
  void setSoundCardPresent(bool present) { soundCard_ = present; }
  // "open NAME", "play", "pause", "stop", "close" and "seek SECONDS", in call order.
  const std::vector<std::string>& log() const { return log_; }

  MediaOpenOutcome openAndPlay(const std::filesystem::path& path) override;
  void play() override;
  void pause() override;
  void stop() override;
  void close() override;
  double position() const override { return position_; }
  void setPosition(double seconds) override;
  double duration() const override { return duration_; }
  MediaPlayState playState() const override { return state_; }
  bool isOpen() const override { return open_; }
  bool endReached() const override { return endReached_; }
  std::string errorDescription() const override { return error_; }
  bool soundCardPresent() const override { return soundCard_; }

 private:
  std::map<std::filesystem::path, double> files_;
  std::vector<std::string> log_;
  bool open_ = false;
  bool endReached_ = false;
  bool soundCard_ = true;
  MediaPlayState state_ = MediaPlayState::Stopped;
  double position_ = 0;
  double duration_ = 0;
  std::string error_;
};

}  // namespace norva::audio
