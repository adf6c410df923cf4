#pragma once
// The version text the simulated player keeps for a stored firmware image: the chosen file's
// name without its extension (at most 40 bytes, cut at a character boundary), a blank and the
// image's CRC-32 in upper-case hex, e.g. "RD710_V1.2 3F0A9C11". Two different images never show
// the same text unless their CRC-32 collides, and the text fits the host's 63 characters.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace norva::usb {

uint32_t crc32(std::span<const uint8_t> bytes);
std::string firmwareVersionText(std::span<const uint8_t> image, std::string_view chosenFileName);

}  // namespace norva::usb
