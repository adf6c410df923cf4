#pragma once
// A device handle that plays through a device someone else keeps: every call goes to that
// device. For a window that keeps one sound device (and its volume) while players that each
// want to own their device come and go. The kept device must outlive the handle.
#include "audio/audio_output.h"

namespace norva::audio {

class BorrowedOutput : public AudioOutput {
 public:
  explicit BorrowedOutput(AudioOutput& device) : device_(device) {}

  bool open(const PcmFormat& format, DoneCallback done) override {
    return device_.open(format, std::move(done));
  }
  bool write(AudioBlock& block) override { return device_.write(block); }
  void pause() override { device_.pause(); }
  void restart() override { device_.restart(); }
  void reset() override { device_.reset(); }
  void drain() override { device_.drain(); }
  bool close() override { return device_.close(); }
  void setVolume(uint32_t level) override { device_.setVolume(level); }
  uint32_t volume() const override { return device_.volume(); }
  std::string name() const override { return device_.name(); }

 private:
  AudioOutput& device_;
};

}  // namespace norva::audio
