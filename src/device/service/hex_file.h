#pragma once
// Intel HEX conversion at the file level: reads a HEX file and converts it (see
// device/intel_hex.h), or also writes the image to a file that appears only when complete.
#include <filesystem>

#include "device/intel_hex.h"

namespace norva::device {

// The largest HEX file read: far above the text a 16 MiB image needs.
inline constexpr uint64_t kMaxHexFileBytes = uint64_t{128} * 1024 * 1024;

HexConversion readIntelHexFile(const std::filesystem::path& hexPath, uint32_t imageOffset);

// Converts `hexPath` into `outputPath`. A refused file leaves no output file (an old one stays
// as it was). The image is kept in the result.
HexConversion ConvertIntelHex(const std::filesystem::path& hexPath,
                              const std::filesystem::path& outputPath, uint32_t imageOffset);

}  // namespace norva::device
