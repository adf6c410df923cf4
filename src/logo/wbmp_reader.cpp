#include "logo/wbmp_reader.h"

namespace norva::logo {
namespace {

// Sides beyond this are refused: no real wireless bitmap comes near it, and it keeps every
// size computation well inside 64 bits.
constexpr uint32_t kMaxSide = 1u << 16;

std::optional<uint32_t> readMultiByte(std::span<const uint8_t> bytes, size_t& pos) {
  uint32_t value = 0;
  for (int i = 0; i < 4; ++i) {
    if (pos >= bytes.size()) return std::nullopt;
    const uint8_t byte = bytes[pos++];
    value = (value << 7) | (byte & 0x7F);
    if ((byte & 0x80) == 0) return value;
  }
  return std::nullopt;
}

}  // namespace

std::optional<RgbImage> decodeWbmp(std::span<const uint8_t> bytes) {
  if (bytes.size() < 4 || bytes[0] != 0 || bytes[1] != 0) return std::nullopt;
  size_t pos = 2;
  const auto width = readMultiByte(bytes, pos);
  if (!width) return std::nullopt;
  const auto height = readMultiByte(bytes, pos);
  if (!height) return std::nullopt;
  if (*width == 0 || *height == 0 || *width > kMaxSide || *height > kMaxSide) return std::nullopt;
  const size_t rowBytes = (size_t{*width} + 7) / 8;
  if (bytes.size() - pos < rowBytes * *height) return std::nullopt;

  RgbImage image(*width, *height);
  for (unsigned y = 0; y < *height; ++y) {
    const uint8_t* row = bytes.data() + pos + rowBytes * y;
    for (unsigned x = 0; x < *width; ++x) {
      const bool white = (row[x / 8] & (0x80 >> (x % 8))) != 0;
      image.at(x, y) = white ? Rgb{255, 255, 255} : Rgb{0, 0, 0};
    }
  }
  return image;
}

}  // namespace norva::logo
