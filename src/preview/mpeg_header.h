#pragma once
// MPEG audio frame headers: the four header bytes, the frame size they imply, and the search
// for the first valid header in a run of bytes (the header parse the decoder is asked for).
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace norva::preview {

enum class MpegVersion : uint8_t { Mpeg1, Mpeg2, Mpeg25 };
enum class ChannelMode : uint8_t { Stereo = 0, JointStereo = 1, DualChannel = 2, Mono = 3 };

struct MpegHeader {
  uint16_t sync = 0xFFF;  // 0xFFF, or 0xFFE for MPEG 2.5
  MpegVersion version = MpegVersion::Mpeg1;
  uint8_t layer = 3;  // 1, 2 or 3
  bool crcProtected = false;
  uint8_t bitrateIndex = 0;
  uint8_t samplingIndex = 0;
  bool padding = false;
  bool privateBit = false;
  ChannelMode mode = ChannelMode::Stereo;
  uint8_t modeExtension = 0;
  bool copyright = false;
  bool original = false;
  uint8_t emphasis = 0;

  uint32_t bitrate = 0;     // bits per second
  uint32_t sampleRate = 0;  // Hz
  size_t frameSize = 0;     // bytes, without the padding slot
  size_t paddingBytes = 0;  // 0, or the padding slot (1 byte; 4 for Layer I) when padded

  size_t totalFrameSize() const { return frameSize + paddingBytes; }
  int channels() const { return mode == ChannelMode::Mono ? 1 : 2; }
  // PCM samples (per channel) one frame decodes to. MPEG 2 and 2.5 Layer II frames hold
  // 1152 samples like MPEG 1; only Layer III halves it.
  uint32_t samplesPerFrame() const;
  // Whether another frame can continue this stream: same version, layer, rate and channel mode.
  bool sameStreamAs(const MpegHeader& other) const;
};

// True when bytes[pos] and bytes[pos + 1] are a sync pattern: 0xFF, then a byte whose upper
// four bits are 0xF or 0xE.
bool isSyncAt(std::span<const uint8_t> bytes, size_t pos);

// Parses the header at the start of `bytes`. Nothing when fewer than four bytes are given or
// the header is not usable: no sync, reserved version or layer, free-format or bad bit rate,
// reserved sampling rate.
std::optional<MpegHeader> parseHeader(std::span<const uint8_t> bytes);

struct FoundHeader {
  MpegHeader header;
  size_t skipped = 0;  // bytes before the header's sync
};

// The first valid header in `bytes`.
std::optional<FoundHeader> findFirstHeader(std::span<const uint8_t> bytes);

}  // namespace norva::preview
