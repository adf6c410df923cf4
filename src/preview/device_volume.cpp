#include "preview/device_volume.h"

#include <algorithm>

namespace norva::preview {

uint32_t deviceLevelFor(int percent) {
  const uint32_t level = static_cast<uint32_t>(std::clamp(percent, 0, 100)) * 65535u / 100u;
  return level | (level << 16);
}

int percentOfDeviceLevel(uint32_t level) {
  const uint32_t left = level & 0xFFFF;
  // The factor is single precision, the product is not: a full level reads as 99.
  constexpr double kFactor = static_cast<double>(1.0f / 65535.0f);
  return static_cast<int>(static_cast<double>(left) * kFactor * 100.0);
}

}  // namespace norva::preview
