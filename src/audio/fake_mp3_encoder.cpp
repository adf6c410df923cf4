#include "audio/fake_mp3_encoder.h"

namespace norva::audio {

void FakeMp3Encoder::setBehaviour(Behaviour behaviour) {
  const std::lock_guard lock(mutex_);
  behaviour_ = std::move(behaviour);
}

void FakeMp3Encoder::holdCall(size_t number) {
  const std::lock_guard lock(mutex_);
  heldCall_ = number;
}

EncodeOutcome FakeMp3Encoder::encode(const std::filesystem::path& source,
                                     const std::filesystem::path& target) {
  Behaviour behaviour;
  bool hold = false;
  {
    const std::lock_guard lock(mutex_);
    calls_.push_back({source, target});
    behaviour = behaviour_;
    hold = calls_.size() == heldCall_;
    stopped_ = false;
    ++running_;
  }
  changed_.notify_all();
  EncodeOutcome outcome = behaviour ? behaviour({source, target}) : EncodeOutcome::Encoded;
  std::unique_lock lock(mutex_);
  if (hold) {
    changed_.wait(lock, [this] { return stopped_; });
    outcome = EncodeOutcome::Stopped;
  }
  --running_;
  return outcome;
}

void FakeMp3Encoder::stop() {
  {
    const std::lock_guard lock(mutex_);
    ++stops_;
    if (running_ > 0) stopped_ = true;  // a stop between calls reaches none of them
  }
  changed_.notify_all();
}

bool FakeMp3Encoder::waitForCalls(size_t count, std::chrono::milliseconds limit) {
  std::unique_lock lock(mutex_);
  return changed_.wait_for(lock, limit, [&] { return calls_.size() >= count; });
}

std::vector<EncodeCall> FakeMp3Encoder::calls() const {
  const std::lock_guard lock(mutex_);
  return calls_;
}

size_t FakeMp3Encoder::stops() const {
  const std::lock_guard lock(mutex_);
  return stops_;
}

}  // namespace norva::audio
