#include "preview/mpeg_header.h"

#include <array>

namespace norva::preview {
namespace {

// Bit rates in kbit/s by [MPEG 1 or not][layer - 1][index]; index 0 (free format) and 15 are
// not usable.
constexpr std::array<std::array<std::array<uint16_t, 16>, 3>, 2> kBitrates{{
    {{
        {0, 32, 64, 96, 128, 160, 192, 224, 256, 288, 320, 352, 384, 416, 448, 0},
        {0, 32, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384, 0},
        {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 0},
    }},
    {{
        {0, 32, 48, 56, 64, 80, 96, 112, 128, 144, 160, 176, 192, 224, 256, 0},
        {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160, 0},
        {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160, 0},
    }},
}};

constexpr std::array<uint32_t, 3> kMpeg1Rates{44100, 48000, 32000};

}  // namespace

uint32_t MpegHeader::samplesPerFrame() const {
  if (layer == 1) return 384;
  if (layer == 2 || version == MpegVersion::Mpeg1) return 1152;
  return 576;
}

bool MpegHeader::sameStreamAs(const MpegHeader& other) const {
  return version == other.version && layer == other.layer && samplingIndex == other.samplingIndex &&
         mode == other.mode;
}

bool isSyncAt(std::span<const uint8_t> bytes, size_t pos) {
  return pos + 1 < bytes.size() && bytes[pos] == 0xFF && (bytes[pos + 1] & 0xE0) == 0xE0;
}

std::optional<MpegHeader> parseHeader(std::span<const uint8_t> bytes) {
  if (bytes.size() < 4 || !isSyncAt(bytes, 0)) return std::nullopt;
  const uint8_t b1 = bytes[1];
  const uint8_t b2 = bytes[2];
  const uint8_t b3 = bytes[3];
  MpegHeader h;
  switch ((b1 >> 3) & 3) {
    case 0:
      h.version = MpegVersion::Mpeg25;
      h.sync = 0xFFE;
      break;
    case 2:
      h.version = MpegVersion::Mpeg2;
      break;
    case 3:
      h.version = MpegVersion::Mpeg1;
      break;
    default:
      return std::nullopt;  // reserved
  }
  const int layerBits = (b1 >> 1) & 3;
  if (layerBits == 0) return std::nullopt;
  h.layer = static_cast<uint8_t>(4 - layerBits);
  h.crcProtected = (b1 & 1) == 0;
  h.bitrateIndex = static_cast<uint8_t>(b2 >> 4);
  h.samplingIndex = static_cast<uint8_t>((b2 >> 2) & 3);
  h.padding = (b2 & 2) != 0;
  h.privateBit = (b2 & 1) != 0;
  h.mode = static_cast<ChannelMode>(b3 >> 6);
  h.modeExtension = static_cast<uint8_t>((b3 >> 4) & 3);
  h.copyright = (b3 & 8) != 0;
  h.original = (b3 & 4) != 0;
  h.emphasis = static_cast<uint8_t>(b3 & 3);
  if (h.samplingIndex == 3) return std::nullopt;

  const bool mpeg1 = h.version == MpegVersion::Mpeg1;
  const uint32_t kbps = kBitrates[mpeg1 ? 0 : 1][h.layer - 1][h.bitrateIndex];
  if (kbps == 0) return std::nullopt;
  h.bitrate = kbps * 1000;
  h.sampleRate = kMpeg1Rates[h.samplingIndex];
  if (h.version == MpegVersion::Mpeg2) h.sampleRate /= 2;
  if (h.version == MpegVersion::Mpeg25) h.sampleRate /= 4;

  if (h.layer == 1) {
    h.frameSize = 12 * h.bitrate / h.sampleRate * 4;
    h.paddingBytes = h.padding ? 4 : 0;
  } else {
    const uint32_t factor = (h.layer == 3 && !mpeg1) ? 72 : 144;
    h.frameSize = factor * h.bitrate / h.sampleRate;
    h.paddingBytes = h.padding ? 1 : 0;
  }
  return h;
}

std::optional<FoundHeader> findFirstHeader(std::span<const uint8_t> bytes) {
  for (size_t pos = 0; pos + 4 <= bytes.size(); ++pos) {
    if (!isSyncAt(bytes, pos)) continue;
    if (auto header = parseHeader(bytes.subspan(pos))) return FoundHeader{*header, pos};
  }
  return std::nullopt;
}

}  // namespace norva::preview
