#pragma once
// The sound device as the players use it: open a PCM format, queue blocks that are reported
// back through a callback once played, pause, restart, reset (every queued block comes back
// at once), close, and a volume level per channel. Backends: ALSA and a null device.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>

namespace norva::audio {

struct PcmFormat {
  uint16_t channels = 2;
  uint32_t sampleRate = 44100;
  uint16_t bitsPerSample = 16;

  uint16_t blockAlign() const { return static_cast<uint16_t>(channels * bitsPerSample / 8); }
  uint32_t averageBytesPerSecond() const { return blockAlign() * sampleRate; }
  bool operator==(const PcmFormat&) const = default;
};

// One queued block. The caller owns it and its samples and keeps both unchanged until the
// done callback has returned it.
struct AudioBlock {
  std::span<const uint8_t> data;
  uintptr_t user = 0;  // for the caller
};

// Volume: left level in the low 16 bits, right level in the high 16 bits, 0..0xFFFF each.
constexpr uint32_t kFullVolume = 0xFFFFFFFFu;

class AudioOutput {
 public:
  // Called once per queued block, in queue order, from the device's thread (or from the thread
  // that calls reset or close). It must not call back into the device.
  using DoneCallback = std::function<void(AudioBlock& block)>;

  virtual ~AudioOutput() = default;

  // Opens the device for 16-bit PCM of this format. False when the device cannot be opened
  // or is already open.
  virtual bool open(const PcmFormat& format, DoneCallback done) = 0;
  // Queues a block for playing after those already queued. False when the device is not open.
  virtual bool write(AudioBlock& block) = 0;
  virtual void pause() = 0;
  virtual void restart() = 0;
  // Stops at once; every block still queued is reported done before this returns. A paused
  // device stays paused.
  virtual void reset() = 0;
  // Waits until what was queued has been heard (the device's own buffer included). For the
  // natural end of a stream, so that the reset after it cuts nothing off.
  virtual void drain() = 0;
  // Closes the device. False, and nothing happens, while blocks are still queued.
  virtual bool close() = 0;
  virtual void setVolume(uint32_t level) = 0;
  virtual uint32_t volume() const = 0;
  virtual std::string name() const = 0;
};

}  // namespace norva::audio
