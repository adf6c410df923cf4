#pragma once
// Test double of the preview's timers: ticks only when the test fires them, and remembers the
// interval it was started with.
#include <memory>

#include "preview/app/tick_source.h"

namespace norva::preview {

class ManualTicks : public TickSource {
 public:
  void start(std::chrono::milliseconds interval, std::function<void()> onTick) override {
    interval_ = interval;
    onTick_ = std::move(onTick);
    active_ = true;
    ++starts_;
  }
  void stop() override { active_ = false; }
  bool active() const override { return active_; }

  // One tick, as the timer would give it; nothing while stopped.
  void fire() {
    if (active_ && onTick_) onTick_();
  }
  void fire(int count) {
    for (int i = 0; i < count; ++i) fire();
  }
  std::chrono::milliseconds interval() const { return interval_; }
  int starts() const { return starts_; }

 private:
  std::function<void()> onTick_;
  std::chrono::milliseconds interval_{0};
  bool active_ = false;
  int starts_ = 0;
};

inline std::unique_ptr<TickSource> makeManualTicks() {
  return std::make_unique<ManualTicks>();
}

}  // namespace norva::preview
