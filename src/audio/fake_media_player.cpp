#include "audio/fake_media_player.h"

#include <algorithm>
#include <cmath>

#include "audio/audio_messages.h"

namespace norva::audio {

void FakeMediaPlayer::addFile(const std::filesystem::path& path, double seconds) {
  files_[path] = seconds;
}

void FakeMediaPlayer::advance(double seconds) {
  if (state_ != MediaPlayState::Playing) return;
  position_ += seconds;
  if (position_ >= duration_) {
    position_ = duration_;
    state_ = MediaPlayState::Stopped;
    endReached_ = true;
  }
}

void FakeMediaPlayer::failWith(std::string text) {
  error_ = std::move(text);
  state_ = MediaPlayState::Stopped;
}

MediaOpenOutcome FakeMediaPlayer::openAndPlay(const std::filesystem::path& path) {
  log_.push_back("open " + path.filename().string());
  close();
  log_.pop_back();  // the close inside the open is not the caller's
  error_.clear();
  const auto file = files_.find(path);
  if (file == files_.end()) {
    error_ = cannotDecodeText(path.filename().string(), "not an audio file");
    return MediaOpenOutcome::CannotDecode;
  }
  if (!soundCard_) {
    error_ = deviceRefusedText(path.filename().string(), 44100, 2);
    return MediaOpenOutcome::DeviceRefused;
  }
  open_ = true;
  duration_ = file->second;
  state_ = duration_ > 0 ? MediaPlayState::Playing : MediaPlayState::Stopped;
  endReached_ = duration_ <= 0;
  return MediaOpenOutcome::Playing;
}

void FakeMediaPlayer::play() {
  log_.push_back("play");
  if (!open_) return;
  if (endReached_) position_ = 0;
  endReached_ = false;
  state_ = MediaPlayState::Playing;
}

void FakeMediaPlayer::pause() {
  log_.push_back("pause");
  if (state_ == MediaPlayState::Playing) state_ = MediaPlayState::Paused;
}

void FakeMediaPlayer::stop() {
  log_.push_back("stop");
  state_ = MediaPlayState::Stopped;
  position_ = 0;
  endReached_ = false;
}

void FakeMediaPlayer::close() {
  log_.push_back("close");
  open_ = false;
  state_ = MediaPlayState::Stopped;
  position_ = 0;
  duration_ = 0;
  endReached_ = false;
}

void FakeMediaPlayer::setPosition(double seconds) {
  log_.push_back("seek " + std::to_string(seconds));
  if (!open_) return;
  position_ = seconds > 0 ? std::min(seconds, duration_) : 0.0;
  endReached_ = false;
}

}  // namespace norva::audio
