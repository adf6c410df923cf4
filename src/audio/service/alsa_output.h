#pragma once
// The ALSA backend: a PCM device by name ("default" reaches the desktop's sound server;
// "null" and "file" plugins work without a sound card). A block counts as played once it is in
// the device's buffer, which is kept short (about 100 ms) so that the reported position stays
// close to what is heard; drain() waits for that buffer at the natural end of a stream.
#include <mutex>
#include <optional>
#include <string>

#include "audio/block_queue_output.h"

typedef struct _snd_pcm snd_pcm_t;

namespace norva::audio {

class AlsaOutput : public BlockQueueOutput {
 public:
  explicit AlsaOutput(std::string device = "default");
  ~AlsaOutput() override;

  std::string name() const override { return "alsa:" + device_; }
  // The last ALSA error text, if any call failed.
  std::optional<std::string> lastError() const;

 protected:
  bool deviceOpen(const PcmFormat& format) override;
  void deviceClose() override;
  bool playSamples(std::span<const uint8_t> pcm) override;
  void devicePause() override;
  void deviceResume() override;
  void deviceDrop() override;
  void deviceDrain() override;

 private:
  void setError(const char* what, int code);

  std::string device_;
  snd_pcm_t* pcm_ = nullptr;  // owned; closed by deviceClose
  bool canPause_ = false;
  bool hwPaused_ = false;
  mutable std::mutex errorMutex_;
  std::optional<std::string> error_;
};

// Silences ALSA's own messages on stderr (the programs report failures themselves).
void silenceAlsaErrors();

}  // namespace norva::audio
