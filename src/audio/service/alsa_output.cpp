#include "audio/service/alsa_output.h"

#include <alsa/asoundlib.h>

#include <chrono>
#include <cstdarg>
#include <mutex>
#include <thread>

namespace norva::audio {
namespace {

void quietHandler(const char*, int, const char*, int, const char*, ...) {}

constexpr unsigned kBufferMicroseconds = 100000;
constexpr int kWaitMilliseconds = 50;

}  // namespace

void silenceAlsaErrors() {
  static std::once_flag once;
  std::call_once(once, [] { snd_lib_error_set_handler(&quietHandler); });
}

AlsaOutput::AlsaOutput(std::string device) : device_(std::move(device)) {
  silenceAlsaErrors();
}

AlsaOutput::~AlsaOutput() {
  shutDown();
  deviceClose();
}

std::optional<std::string> AlsaOutput::lastError() const {
  std::lock_guard lock(errorMutex_);
  return error_;
}

void AlsaOutput::setError(const char* what, int code) {
  std::lock_guard lock(errorMutex_);
  error_ = std::string(what) + ": " + snd_strerror(code);
}

bool AlsaOutput::deviceOpen(const PcmFormat& format) {
  snd_pcm_t* pcm = nullptr;
  int rc = snd_pcm_open(&pcm, device_.c_str(), SND_PCM_STREAM_PLAYBACK, SND_PCM_NONBLOCK);
  if (rc < 0) {
    setError("cannot open", rc);
    return false;
  }
  rc = snd_pcm_set_params(pcm, SND_PCM_FORMAT_S16_LE, SND_PCM_ACCESS_RW_INTERLEAVED,
                          format.channels, format.sampleRate, 1, kBufferMicroseconds);
  if (rc < 0) {
    setError("cannot set the format", rc);
    snd_pcm_close(pcm);
    return false;
  }
  snd_pcm_hw_params_t* params = nullptr;
  snd_pcm_hw_params_malloc(&params);
  canPause_ = params && snd_pcm_hw_params_current(pcm, params) == 0 &&
              snd_pcm_hw_params_can_pause(params) == 1;
  snd_pcm_hw_params_free(params);
  pcm_ = pcm;
  hwPaused_ = false;
  return true;
}

void AlsaOutput::deviceClose() {
  if (pcm_ == nullptr) return;
  snd_pcm_drop(pcm_);
  snd_pcm_close(pcm_);
  pcm_ = nullptr;
}

bool AlsaOutput::playSamples(std::span<const uint8_t> pcm) {
  const size_t frameBytes = format().blockAlign();
  size_t done = 0;
  const size_t total = pcm.size() / frameBytes;
  while (done < total) {
    if (!keepPlaying()) return false;
    const snd_pcm_sframes_t written =
        snd_pcm_writei(pcm_, pcm.data() + done * frameBytes, total - done);
    if (written > 0) {
      done += static_cast<size_t>(written);
    } else if (written == -EAGAIN) {
      snd_pcm_wait(pcm_, kWaitMilliseconds);
    } else if (written < 0) {
      const int rc = snd_pcm_recover(pcm_, static_cast<int>(written), 1);
      if (rc < 0) {
        setError("cannot write", rc);
        return true;  // a broken device does not hold the stream up
      }
    }
    // A pause in the middle of a block: hold the device and wait here.
    if (isPaused()) {
      devicePause();
      if (!waitWhilePaused()) return false;
      deviceResume();
    }
  }
  return true;
}

void AlsaOutput::devicePause() {
  if (pcm_ == nullptr) return;
  if (canPause_ && snd_pcm_state(pcm_) == SND_PCM_STATE_RUNNING && snd_pcm_pause(pcm_, 1) == 0)
    hwPaused_ = true;
}

void AlsaOutput::deviceResume() {
  if (pcm_ == nullptr) return;
  if (hwPaused_) {
    if (snd_pcm_pause(pcm_, 0) < 0) snd_pcm_prepare(pcm_);
    hwPaused_ = false;
  }
}

void AlsaOutput::deviceDrop() {
  if (pcm_ == nullptr) return;
  snd_pcm_drop(pcm_);
  snd_pcm_prepare(pcm_);
  hwPaused_ = false;
}

void AlsaOutput::deviceDrain() {
  if (pcm_ == nullptr) return;
  // Non-blocking handle: wait for the buffer to empty in short steps, bounded by its length.
  for (unsigned waited = 0; waited <= 2 * kBufferMicroseconds / 1000; waited += 10) {
    snd_pcm_sframes_t delay = 0;
    if (snd_pcm_state(pcm_) != SND_PCM_STATE_RUNNING || snd_pcm_delay(pcm_, &delay) < 0 ||
        delay <= 0)
      break;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
}

}  // namespace norva::audio
