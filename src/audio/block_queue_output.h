#pragma once
// The part every backend shares: the queue of blocks, one playing thread, pause, reset and
// close, and the volume applied to the samples. A backend supplies how a block is played.
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>
#include <vector>

#include "audio/audio_output.h"

namespace norva::audio {

class BlockQueueOutput : public AudioOutput {
 public:
  ~BlockQueueOutput() override;

  bool open(const PcmFormat& format, DoneCallback done) override;
  bool write(AudioBlock& block) override;
  void pause() override;
  void restart() override;
  void reset() override;
  bool close() override;
  void drain() override;
  void setVolume(uint32_t level) override { volume_.store(level); }
  uint32_t volume() const override { return volume_.load(); }

  bool isOpen() const;
  bool isPaused() const;
  // Blocks queued and not yet reported done.
  size_t queuedBlocks() const;

 protected:
  // Backend hooks. deviceOpen/deviceClose run on the caller's thread while no block plays;
  // playSamples runs on the playing thread and returns early (false) when interrupted.
  virtual bool deviceOpen(const PcmFormat& format) = 0;
  virtual void deviceClose() = 0;
  virtual bool playSamples(std::span<const uint8_t> pcm) = 0;
  // Called on the playing thread when it goes idle or pauses, so the backend can stop its
  // device clock; and when it is about to play again after a pause.
  virtual void devicePause() {}
  virtual void deviceResume() {}
  // Drops what the device holds (after an interruption).
  virtual void deviceDrop() {}
  // Waits until the device has played what it holds.
  virtual void deviceDrain() {}
  // Called (without the queue's lock) right after a reset or close asked the playing block to
  // stop, so a backend waiting on its own signal can wake up.
  virtual void interruptPlaying() {}
  // Called on the playing thread, under the queue's lock, after a played block was reported.
  virtual void afterBlockReported() {}

  // For playSamples: true while the current block should go on (not reset, closed).
  bool keepPlaying() const { return !interrupt_.load(); }
  // For playSamples: waits out `duration` of playing time; time stands still while paused (the
  // real time spent paused is added to `*pausedFor` when given). False when interrupted.
  bool waitPlayingTime(std::chrono::nanoseconds duration,
                       std::chrono::steady_clock::duration* pausedFor = nullptr);
  // For playSamples: blocks while paused; false when interrupted.
  bool waitWhilePaused();
  const PcmFormat& format() const { return format_; }

  // Backends call this from their destructor, before their own members go.
  void shutDown();

 private:
  void run();
  // Stops the playing block, hands back every queued block. Caller holds no lock.
  void dropAll();

  mutable std::mutex mutex_;
  std::condition_variable wake_;
  std::deque<AudioBlock*> queue_;
  bool open_ = false;
  bool paused_ = false;
  bool closing_ = false;
  bool playing_ = false;                 // the front block is being played
  bool idle_ = false;                    // the playing thread waits for work
  std::atomic<bool> pausedFlag_{false};  // paused_, readable without the lock
  std::atomic<bool> interrupt_{false};
  std::atomic<uint32_t> volume_{kFullVolume};
  PcmFormat format_;
  DoneCallback done_;
  std::vector<uint8_t> scaled_;
  std::thread thread_;
};

// Scales 16-bit little-endian samples by the volume level: left channel by the low 16 bits,
// right by the high 16 bits (mono uses the left level).
void applyVolume(std::span<uint8_t> pcm, uint16_t channels, uint32_t level);

}  // namespace norva::audio
