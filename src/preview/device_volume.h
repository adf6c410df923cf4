#pragma once
// The sound device's volume as the preview's volume slider shows it: 0..100 on the slider, a
// 16-bit level per channel on the device (left in the low half, right in the high half).
#include <cstdint>

namespace norva::preview {

// The device level for a slider position: both channels at percent x 65535 / 100 (whole
// numbers); positions outside 0..100 are taken as the nearer end.
uint32_t deviceLevelFor(int percent);

// The slider position for a device level: the left channel x (1 / 65535 in single precision)
// x 100, truncated. A full level reads as 99, the level set for 50 reads as 49.
int percentOfDeviceLevel(uint32_t level);

}  // namespace norva::preview
