#include "usb/firmware_version.h"

#include <array>
#include <cstdio>

namespace norva::usb {
namespace {

constexpr size_t kMaxStemBytes = 40;

constexpr std::array<uint32_t, 256> makeCrcTable() {
  std::array<uint32_t, 256> table{};
  for (uint32_t i = 0; i < 256; ++i) {
    uint32_t value = i;
    for (int bit = 0; bit < 8; ++bit) value = (value & 1) ? 0xEDB88320u ^ (value >> 1) : value >> 1;
    table[i] = value;
  }
  return table;
}

constexpr std::array<uint32_t, 256> kCrcTable = makeCrcTable();

}  // namespace

uint32_t crc32(std::span<const uint8_t> bytes) {
  uint32_t crc = 0xFFFFFFFFu;
  for (uint8_t byte : bytes) crc = kCrcTable[(crc ^ byte) & 0xFF] ^ (crc >> 8);
  return crc ^ 0xFFFFFFFFu;
}

std::string firmwareVersionText(std::span<const uint8_t> image, std::string_view chosenFileName) {
  const size_t slash = chosenFileName.find_last_of("/\\");
  std::string_view stem =
      slash == std::string_view::npos ? chosenFileName : chosenFileName.substr(slash + 1);
  if (const size_t dot = stem.rfind('.'); dot != std::string_view::npos && dot > 0)
    stem = stem.substr(0, dot);
  if (stem.size() > kMaxStemBytes) {
    size_t cut = kMaxStemBytes;
    while (cut > 0 && (static_cast<unsigned char>(stem[cut]) & 0xC0) == 0x80) --cut;
    stem = stem.substr(0, cut);
  }
  char crcText[9];
  std::snprintf(crcText, sizeof crcText, "%08X", crc32(image));
  return stem.empty() ? std::string(crcText) : std::string(stem) + " " + crcText;
}

}  // namespace norva::usb
