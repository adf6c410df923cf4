#pragma once
// A repeating timer as the preview window uses its timers: started with an interval and a
// step, stopped, restarted. The window gets them from a factory, so tests hand it timers they
// fire themselves instead of waiting for wall time.
#include <chrono>
#include <functional>
#include <memory>

namespace norva::preview {

class TickSource {
 public:
  virtual ~TickSource() = default;
  // (Re)starts: `onTick` runs every `interval` until stop.
  virtual void start(std::chrono::milliseconds interval, std::function<void()> onTick) = 0;
  virtual void stop() = 0;
  virtual bool active() const = 0;
};

using TickSourceFactory = std::function<std::unique_ptr<TickSource>()>;

// Ticks from a QTimer on the event loop of the calling thread.
std::unique_ptr<TickSource> makeQtTickSource();

}  // namespace norva::preview
