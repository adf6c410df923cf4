#include "preview/app/tick_source.h"

#include <QTimer>

namespace norva::preview {
namespace {

class QtTickSource : public TickSource {
 public:
  QtTickSource() {
    timer_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer_, &QTimer::timeout, [this] {
      if (onTick_) onTick_();
    });
  }

  void start(std::chrono::milliseconds interval, std::function<void()> onTick) override {
    onTick_ = std::move(onTick);
    timer_.start(interval);
  }
  void stop() override { timer_.stop(); }
  bool active() const override { return timer_.isActive(); }

 private:
  QTimer timer_;
  std::function<void()> onTick_;
};

}  // namespace

std::unique_ptr<TickSource> makeQtTickSource() {
  return std::make_unique<QtTickSource>();
}

}  // namespace norva::preview
