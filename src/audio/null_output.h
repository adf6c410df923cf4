#pragma once
// The null device: no sound, a virtual clock. It plays in real time (or N times faster), as
// fast as it can, or one block at a time when the caller allows it (tests). It can hand every
// played sample to a recorder.
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>

#include "audio/block_queue_output.h"
#include "audio/playing_pace.h"

namespace norva::audio {

class NullOutput : public BlockQueueOutput {
 public:
  enum class Pace { RealTime, AsFastAsPossible, Stepped };
  using Recorder = std::function<void(std::span<const uint8_t> pcm)>;

  explicit NullOutput(Pace pace = Pace::RealTime, double speed = 1.0);
  ~NullOutput() override;

  // Receives the samples of every block as it is played (after the volume), on the device's
  // thread. Set before open.
  void setRecorder(Recorder recorder) { recorder_ = std::move(recorder); }

  // Virtual time played: sample frames since open.
  uint64_t framesPlayed() const;
  std::chrono::milliseconds timePlayed() const;

  // Stepped pace: lets `count` more blocks play.
  void allowBlocks(uint64_t count);
  // Waits until `count` blocks in all have been played and reported back, at most `timeout`.
  bool waitForBlocksReported(uint64_t count, std::chrono::milliseconds timeout);
  uint64_t blocksReported() const;

  std::string name() const override { return "null"; }

 protected:
  bool deviceOpen(const PcmFormat& format) override;
  void deviceClose() override {}
  bool playSamples(std::span<const uint8_t> pcm) override;
  void afterBlockReported() override;
  void interruptPlaying() override;
  void devicePause() override;
  void deviceResume() override;

 private:
  Pace pace_;
  double speed_;
  // Real time: the clock the blocks keep level with (playing thread only), and when the
  // device paused between blocks.
  std::optional<PlayingPace> clock_;
  PlayingPace::Clock::time_point pausedAt_;
  Recorder recorder_;
  mutable std::mutex mutex_;
  std::condition_variable changed_;
  uint64_t framesPlayed_ = 0;
  uint64_t allowed_ = 0;
  uint64_t reported_ = 0;
  bool stopWaiting_ = false;
};

}  // namespace norva::audio
