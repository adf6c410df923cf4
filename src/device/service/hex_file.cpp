#include "device/service/hex_file.h"

#include "base/service/file_io.h"

namespace norva::device {

HexConversion readIntelHexFile(const std::filesystem::path& hexPath, uint32_t imageOffset) {
  const ReadResult read = readWholeFile(hexPath, kMaxHexFileBytes);
  if (read.status != ReadResult::Status::Ok) {
    HexConversion refused;
    refused.outcome = HexOutcome::CannotReadInput;
    return refused;
  }
  return convertIntelHex(read.bytes, imageOffset);
}

HexConversion ConvertIntelHex(const std::filesystem::path& hexPath,
                              const std::filesystem::path& outputPath, uint32_t imageOffset) {
  HexConversion conversion = readIntelHexFile(hexPath, imageOffset);
  if (conversion.outcome != HexOutcome::Converted) return conversion;
  if (!writeFileAtomically(outputPath, conversion.image).ok()) {
    conversion.outcome = HexOutcome::CannotWriteOutput;
    conversion.image.clear();
  }
  return conversion;
}

}  // namespace norva::device
