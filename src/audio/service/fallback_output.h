#pragma once
// A device that tries its first choice and, when that cannot be opened, plays through a second
// one (the null device) and says so once through `onFallback`.
#include <functional>
#include <memory>

#include "audio/audio_output.h"

namespace norva::audio {

class FallbackOutput : public AudioOutput {
 public:
  FallbackOutput(std::unique_ptr<AudioOutput> first, std::unique_ptr<AudioOutput> second,
                 std::function<void(const AudioOutput& failed)> onFallback);

  bool open(const PcmFormat& format, DoneCallback done) override;
  bool write(AudioBlock& block) override { return active().write(block); }
  void pause() override { active().pause(); }
  void restart() override { active().restart(); }
  void reset() override { active().reset(); }
  void drain() override { active().drain(); }
  bool close() override { return active().close(); }
  void setVolume(uint32_t level) override;
  uint32_t volume() const override { return active().volume(); }
  std::string name() const override { return active().name(); }

  bool usingFallback() const { return usingSecond_; }

 private:
  AudioOutput& active() const { return usingSecond_ ? *second_ : *first_; }

  std::unique_ptr<AudioOutput> first_;
  std::unique_ptr<AudioOutput> second_;
  std::function<void(const AudioOutput&)> onFallback_;
  bool usingSecond_ = false;
};

}  // namespace norva::audio
