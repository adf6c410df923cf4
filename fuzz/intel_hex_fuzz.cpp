// Intel HEX reader: arbitrary text at the codec offset (first input byte odd) or the boot
// offset. An accepted image is never empty and never beyond the size limit.
#include <cstddef>
#include <cstdint>
#include <span>

#include "device/intel_hex.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const uint32_t offset =
      (data[0] & 1) ? norva::device::kCodecImageOffset : norva::device::kBootImageOffset;
  // A small limit keeps the fuzzer away from allocating 16 MiB per input.
  constexpr size_t kLimit = 1 << 20;
  const auto result =
      norva::device::convertIntelHex(std::span<const uint8_t>(data + 1, size - 1), offset, kLimit);
  if (result.outcome == norva::device::HexOutcome::Converted &&
      (result.image.empty() || result.image.size() > kLimit))
    __builtin_trap();
  if (result.outcome != norva::device::HexOutcome::Converted && !result.image.empty())
    __builtin_trap();
  (void)norva::device::hexRefusalText(result);
  return 0;
}
