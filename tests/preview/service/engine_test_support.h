#pragma once
// Engines over a null device for tests: as fast as possible (with a recorder) or stepped, and
// waits on the engine's own signals (end callback, played callback) with generous bounds.
#include <condition_variable>
#include <future>
#include <memory>
#include <mutex>

#include "audio/null_output.h"
#include "preview/service/mpeg_player.h"

namespace norva::test {

constexpr auto kGenerous = std::chrono::seconds(60);

class EngineRig {
 public:
  explicit EngineRig(audio::NullOutput::Pace pace) {
    auto device = std::make_unique<audio::NullOutput>(pace);
    device_ = device.get();
    device_->setRecorder([this](std::span<const uint8_t> pcm) {
      std::lock_guard lock(mutex_);
      recorded_.insert(recorded_.end(), pcm.begin(), pcm.end());
    });
    player = std::make_unique<preview::MpegPlayer>(std::move(device));
    player->setEndCallback([this] {
      {
        std::lock_guard lock(mutex_);
        ended_ = true;
      }
      changed_.notify_all();
    });
    player->setPlayedCallback([this](int64_t played) {
      {
        std::lock_guard lock(mutex_);
        lastPlayed_ = played;
      }
      changed_.notify_all();
    });
  }

  // The engine goes first: its threads call back into this rig.
  ~EngineRig() { player.reset(); }
  EngineRig(const EngineRig&) = delete;
  EngineRig& operator=(const EngineRig&) = delete;

  bool waitForEnd() {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, kGenerous, [&] { return ended_; });
  }
  bool waitForPlayed(int64_t frames) {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, kGenerous, [&] { return lastPlayed_ >= frames; });
  }
  std::vector<uint8_t> recorded() {
    std::lock_guard lock(mutex_);
    return recorded_;
  }
  bool ended() {
    std::lock_guard lock(mutex_);
    return ended_;
  }

  audio::NullOutput& device() { return *device_; }
  std::unique_ptr<preview::MpegPlayer> player;

 private:
  audio::NullOutput* device_;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::vector<uint8_t> recorded_;
  bool ended_ = false;
  int64_t lastPlayed_ = 0;
};

}  // namespace norva::test
