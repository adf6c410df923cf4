#pragma once
// The null device's clock at N times real time. It keeps the sound played (in sample frames)
// level with the real time since the start, less the time playing stood still: a block is
// reported once the real clock has reached its end. A lead shorter than kShortestWait is not
// slept away but carried to the next block, as a sleep of a few microseconds costs the thread
// far more than it asks for; at high speeds the blocks are so short that sleeping for each
// one made the run several times longer than the song's length divided by the speed.
//
// A device that ran dry (the sound came later than its time by more than kLongestLag) does not
// rush to catch up: the clock restarts from the late block, as a sound card plays on after an
// underrun.
//
// The clock's readings are passed in, so the arithmetic runs the same on a fake clock.
#include <chrono>
#include <cstdint>

namespace norva::audio {

class PlayingPace {
 public:
  using Clock = std::chrono::steady_clock;
  static constexpr std::chrono::nanoseconds kShortestWait = std::chrono::milliseconds(2);
  static constexpr std::chrono::nanoseconds kLongestLag = std::chrono::milliseconds(100);

  // `speed` above 0 (1 is real time) for sound of `sampleRate` frames a second, starting at
  // `start`.
  PlayingPace(double speed, uint32_t sampleRate, Clock::time_point start);

  // `frames` more were played and the clock reads `now`: how long to wait before the block is
  // done (zero: it is done at once).
  std::chrono::nanoseconds afterFrames(uint64_t frames, Clock::time_point now);
  // Playing stood still for `duration` (paused): that real time is not owed to the sound.
  void standStill(Clock::duration duration) { start_ += duration; }

 private:
  double nanosecondsPerFrame_;
  uint64_t frames_ = 0;
  Clock::time_point start_;
};

}  // namespace norva::audio
