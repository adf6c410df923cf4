#include "audio/service/fallback_output.h"

namespace norva::audio {

FallbackOutput::FallbackOutput(std::unique_ptr<AudioOutput> first,
                               std::unique_ptr<AudioOutput> second,
                               std::function<void(const AudioOutput& failed)> onFallback)
    : first_(std::move(first)), second_(std::move(second)), onFallback_(std::move(onFallback)) {}

bool FallbackOutput::open(const PcmFormat& format, DoneCallback done) {
  if (!usingSecond_ && first_->open(format, done)) return true;
  if (!usingSecond_) {
    usingSecond_ = true;
    if (onFallback_) onFallback_(*first_);
  }
  return second_->open(format, std::move(done));
}

void FallbackOutput::setVolume(uint32_t level) {
  first_->setVolume(level);
  second_->setVolume(level);
}

}  // namespace norva::audio
