#include "usb/block_device.h"

#include <algorithm>

namespace norva::usb {

bool MemoryBlockDevice::read(uint64_t offset, std::span<uint8_t> bytes) {
  if (offset > image_.size() || bytes.size() > image_.size() - offset) return false;
  std::copy_n(image_.begin() + static_cast<std::ptrdiff_t>(offset), bytes.size(), bytes.begin());
  return true;
}

bool MemoryBlockDevice::write(uint64_t offset, std::span<const uint8_t> bytes) {
  if (offset > image_.size() || bytes.size() > image_.size() - offset) return false;
  std::copy(bytes.begin(), bytes.end(), image_.begin() + static_cast<std::ptrdiff_t>(offset));
  return true;
}

}  // namespace norva::usb
