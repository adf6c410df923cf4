#include "audio/null_output.h"

namespace norva::audio {

NullOutput::NullOutput(Pace pace, double speed) : pace_(pace), speed_(speed > 0 ? speed : 1.0) {}

NullOutput::~NullOutput() {
  {
    std::lock_guard lock(mutex_);
    stopWaiting_ = true;
  }
  changed_.notify_all();
  shutDown();
}

bool NullOutput::deviceOpen(const PcmFormat& format) {
  std::lock_guard lock(mutex_);
  framesPlayed_ = 0;
  clock_.emplace(speed_, format.sampleRate, PlayingPace::Clock::now());
  return true;
}

void NullOutput::devicePause() {
  pausedAt_ = PlayingPace::Clock::now();
}

void NullOutput::deviceResume() {
  if (clock_) clock_->standStill(PlayingPace::Clock::now() - pausedAt_);
}

bool NullOutput::playSamples(std::span<const uint8_t> pcm) {
  const uint64_t frames = pcm.size() / format().blockAlign();
  switch (pace_) {
    case Pace::RealTime: {
      const auto wait = clock_->afterFrames(frames, PlayingPace::Clock::now());
      PlayingPace::Clock::duration paused{};
      if (wait.count() > 0 && !waitPlayingTime(wait, &paused)) return false;
      clock_->standStill(paused);
      break;
    }
    case Pace::AsFastAsPossible:
      if (!waitWhilePaused()) return false;
      break;
    case Pace::Stepped: {
      std::unique_lock lock(mutex_);
      changed_.wait(lock, [&] { return allowed_ > 0 || !keepPlaying() || stopWaiting_; });
      if (!keepPlaying() || stopWaiting_) return false;
      --allowed_;
      break;
    }
  }
  if (recorder_) recorder_(pcm);
  std::lock_guard lock(mutex_);
  framesPlayed_ += frames;
  return true;
}

void NullOutput::interruptPlaying() {
  { std::lock_guard lock(mutex_); }
  changed_.notify_all();
}

void NullOutput::afterBlockReported() {
  {
    std::lock_guard lock(mutex_);
    ++reported_;
  }
  changed_.notify_all();
}

uint64_t NullOutput::framesPlayed() const {
  std::lock_guard lock(mutex_);
  return framesPlayed_;
}

std::chrono::milliseconds NullOutput::timePlayed() const {
  const uint32_t rate = format().sampleRate;
  return std::chrono::milliseconds(rate ? framesPlayed() * 1000 / rate : 0);
}

void NullOutput::allowBlocks(uint64_t count) {
  {
    std::lock_guard lock(mutex_);
    allowed_ += count;
  }
  changed_.notify_all();
}

bool NullOutput::waitForBlocksReported(uint64_t count, std::chrono::milliseconds timeout) {
  std::unique_lock lock(mutex_);
  return changed_.wait_for(lock, timeout, [&] { return reported_ >= count; });
}

uint64_t NullOutput::blocksReported() const {
  std::lock_guard lock(mutex_);
  return reported_;
}

}  // namespace norva::audio
