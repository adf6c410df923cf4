#include "audio/block_queue_output.h"

#include <algorithm>

#include "base/byte_order.h"

namespace norva::audio {

BlockQueueOutput::~BlockQueueOutput() {
  shutDown();
}

void BlockQueueOutput::shutDown() {
  {
    std::lock_guard lock(mutex_);
    if (!open_) return;
  }
  reset();
  close();
}

bool BlockQueueOutput::open(const PcmFormat& format, DoneCallback done) {
  std::lock_guard lock(mutex_);
  if (open_ || format.bitsPerSample != 16 || format.channels < 1 || format.channels > 2 ||
      format.sampleRate == 0)
    return false;
  if (!deviceOpen(format)) return false;
  format_ = format;
  done_ = std::move(done);
  open_ = true;
  paused_ = false;
  pausedFlag_ = false;
  closing_ = false;
  interrupt_ = false;
  thread_ = std::thread([this] { run(); });
  return true;
}

bool BlockQueueOutput::write(AudioBlock& block) {
  bool wake = false;
  {
    std::lock_guard lock(mutex_);
    if (!open_) return false;
    queue_.push_back(&block);
    wake = idle_;  // a busy playing thread finds the block itself
  }
  if (wake) wake_.notify_all();
  return true;
}

void BlockQueueOutput::pause() {
  {
    std::lock_guard lock(mutex_);
    if (!open_) return;
    paused_ = true;
    pausedFlag_ = true;
  }
  wake_.notify_all();
}

void BlockQueueOutput::restart() {
  {
    std::lock_guard lock(mutex_);
    if (!open_) return;
    paused_ = false;
    pausedFlag_ = false;
  }
  wake_.notify_all();
}

void BlockQueueOutput::reset() {
  dropAll();
}

void BlockQueueOutput::dropAll() {
  std::unique_lock lock(mutex_);
  if (!open_) return;
  interrupt_ = true;
  wake_.notify_all();
  lock.unlock();
  interruptPlaying();
  lock.lock();
  wake_.wait(lock, [&] { return !playing_; });
  deviceDrop();
  // Reported in queue order while the lock keeps the playing thread away.
  while (!queue_.empty()) {
    AudioBlock* block = queue_.front();
    queue_.pop_front();
    if (done_) done_(*block);
  }
  interrupt_ = false;
  wake_.notify_all();
}

void BlockQueueOutput::drain() {
  std::unique_lock lock(mutex_);
  if (!open_) return;
  wake_.wait(lock, [&] { return (queue_.empty() && !playing_) || paused_ || interrupt_; });
  if (queue_.empty() && !playing_) deviceDrain();
}

bool BlockQueueOutput::close() {
  {
    std::lock_guard lock(mutex_);
    if (!open_) return true;
    if (!queue_.empty()) return false;
    closing_ = true;
    interrupt_ = true;
  }
  wake_.notify_all();
  interruptPlaying();
  if (thread_.joinable()) thread_.join();
  std::lock_guard lock(mutex_);
  deviceClose();
  open_ = false;
  closing_ = false;
  interrupt_ = false;
  done_ = nullptr;
  return true;
}

bool BlockQueueOutput::isOpen() const {
  std::lock_guard lock(mutex_);
  return open_;
}

bool BlockQueueOutput::isPaused() const {
  std::lock_guard lock(mutex_);
  return paused_;
}

size_t BlockQueueOutput::queuedBlocks() const {
  std::lock_guard lock(mutex_);
  return queue_.size();
}

bool BlockQueueOutput::waitPlayingTime(std::chrono::nanoseconds duration,
                                       std::chrono::steady_clock::duration* pausedFor) {
  using Clock = std::chrono::steady_clock;
  std::unique_lock lock(mutex_);
  while (duration.count() > 0) {
    if (interrupt_) return false;
    if (paused_) {
      const auto pausedAt = Clock::now();
      wake_.wait(lock, [&] { return !paused_ || interrupt_.load(); });
      if (pausedFor) *pausedFor += Clock::now() - pausedAt;
      continue;
    }
    const auto start = Clock::now();
    wake_.wait_for(lock, duration, [&] { return paused_ || interrupt_.load(); });
    duration -= std::chrono::duration_cast<std::chrono::nanoseconds>(Clock::now() - start);
  }
  return !interrupt_;
}

bool BlockQueueOutput::waitWhilePaused() {
  if (!pausedFlag_.load() && !interrupt_.load()) return true;
  std::unique_lock lock(mutex_);
  wake_.wait(lock, [&] { return !paused_ || interrupt_.load(); });
  return !interrupt_;
}

void BlockQueueOutput::run() {
  std::unique_lock lock(mutex_);
  bool devicePaused = false;
  for (;;) {
    // Nothing starts while a reset or close is taking the queue away.
    idle_ = true;
    wake_.wait(lock, [&] {
      return closing_ ||
             (!interrupt_ && ((!paused_ && !queue_.empty()) || (paused_ && !devicePaused)));
    });
    idle_ = false;
    if (closing_) break;
    if (paused_) {
      // Let the backend stop its clock; then sleep until restarted.
      lock.unlock();
      devicePause();
      lock.lock();
      devicePaused = true;
      continue;
    }
    if (devicePaused) {
      lock.unlock();
      deviceResume();
      lock.lock();
      devicePaused = false;
    }
    AudioBlock* block = queue_.front();
    playing_ = true;
    const uint32_t level = volume_.load();
    lock.unlock();

    std::span<const uint8_t> pcm = block->data;
    if (level != kFullVolume) {
      scaled_.assign(pcm.begin(), pcm.end());
      applyVolume(scaled_, format_.channels, level);
      pcm = scaled_;
    }
    const bool finished = playSamples(pcm);

    lock.lock();
    playing_ = false;
    if (finished && !interrupt_ && !queue_.empty() && queue_.front() == block) {
      queue_.pop_front();
      if (done_) done_(*block);
      afterBlockReported();
    }
    wake_.notify_all();
  }
}

void applyVolume(std::span<uint8_t> pcm, uint16_t channels, uint32_t level) {
  const uint32_t left = level & 0xFFFF;
  const uint32_t right = channels == 2 ? level >> 16 : left;
  const size_t frameBytes = static_cast<size_t>(channels) * 2;
  for (size_t at = 0; at + frameBytes <= pcm.size(); at += frameBytes) {
    for (uint16_t c = 0; c < channels; ++c) {
      const size_t pos = at + c * 2u;
      const auto sample = static_cast<int16_t>(readLe16(pcm, pos));
      const int32_t scaled = sample * static_cast<int32_t>(c == 0 ? left : right) / 0xFFFF;
      writeLe16(pcm, pos, static_cast<uint16_t>(static_cast<int16_t>(scaled)));
    }
  }
}

}  // namespace norva::audio
