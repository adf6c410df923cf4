#pragma once
// Blocks of 16-bit PCM for device tests, and a record of the done callbacks.
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <vector>

#include "audio/audio_output.h"

namespace norva::test {

struct TestBlocks {
  // `count` blocks of `frames` stereo frames; block i holds the sample value i + 1.
  TestBlocks(size_t count, size_t frames) {
    for (size_t i = 0; i < count; ++i) {
      pcm.emplace_back(frames * 4, 0);
      for (size_t s = 0; s < frames * 2; ++s) {
        pcm.back()[2 * s] = static_cast<uint8_t>(i + 1);
      }
    }
    for (size_t i = 0; i < count; ++i)
      blocks.push_back(audio::AudioBlock{pcm[i], static_cast<uintptr_t>(i)});
  }
  std::vector<std::vector<uint8_t>> pcm;
  std::deque<audio::AudioBlock> blocks;  // stable addresses
};

class DoneLog {
 public:
  audio::AudioOutput::DoneCallback callback() {
    return [this](audio::AudioBlock& block) {
      {
        std::lock_guard lock(mutex_);
        order_.push_back(block.user);
      }
      changed_.notify_all();
    };
  }
  bool waitFor(size_t count) {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, std::chrono::seconds(20),
                             [&] { return order_.size() >= count; });
  }
  std::vector<uintptr_t> order() {
    std::lock_guard lock(mutex_);
    return order_;
  }

 private:
  std::mutex mutex_;
  std::condition_variable changed_;
  std::vector<uintptr_t> order_;
};

inline std::vector<uintptr_t> iota(size_t count) {
  std::vector<uintptr_t> out;
  for (size_t i = 0; i < count; ++i) out.push_back(i);
  return out;
}

}  // namespace norva::test
