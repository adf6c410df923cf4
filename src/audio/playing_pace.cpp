#include "audio/playing_pace.h"

namespace norva::audio {

PlayingPace::PlayingPace(double speed, uint32_t sampleRate, Clock::time_point start)
    : nanosecondsPerFrame_(1e9 / static_cast<double>(sampleRate) / speed), start_(start) {}

std::chrono::nanoseconds PlayingPace::afterFrames(uint64_t frames, Clock::time_point now) {
  frames_ += frames;
  const auto due = start_ + std::chrono::nanoseconds(static_cast<int64_t>(
                                static_cast<double>(frames_) * nanosecondsPerFrame_));
  const auto lead = std::chrono::duration_cast<std::chrono::nanoseconds>(due - now);
  if (lead < -kLongestLag) start_ -= lead;
  return lead >= kShortestWait ? lead : std::chrono::nanoseconds(0);
}

}  // namespace norva::audio
