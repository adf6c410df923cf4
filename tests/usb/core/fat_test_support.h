#pragma once
// Fresh player volumes in memory for the core tests.
#include <cstdint>
#include <string>
#include <vector>

#include "usb/block_device.h"
#include "usb/fat_layout.h"

namespace norva::usb {

inline std::vector<uint8_t> freshImage(uint32_t mebibytes) {
  const auto layout = playerLayout(mebibytes);
  std::vector<uint8_t> image = freshSystemArea(*layout, 0x12345678);
  image.resize(layout->imageBytes(), 0);
  return image;
}

inline std::vector<uint8_t> bytesOf(const std::string& text) {
  return std::vector<uint8_t>(text.begin(), text.end());
}

// A device that fails every write after the first `allowedWrites` ones and counts them.
class FailingDevice final : public BlockDevice {
 public:
  FailingDevice(std::vector<uint8_t> image, int allowedWrites)
      : memory_(std::move(image)), allowedWrites_(allowedWrites) {}
  uint64_t size() const override { return memory_.size(); }
  bool read(uint64_t offset, std::span<uint8_t> bytes) override {
    return memory_.read(offset, bytes);
  }
  bool write(uint64_t offset, std::span<const uint8_t> bytes) override {
    if (writes_ >= allowedWrites_) return false;
    ++writes_;
    return memory_.write(offset, bytes);
  }
  void allowWrites(int count) { allowedWrites_ = count; }
  int writes() const { return writes_; }
  const std::vector<uint8_t>& image() const { return memory_.image(); }

 private:
  MemoryBlockDevice memory_;
  int allowedWrites_;
  int writes_ = 0;
};

}  // namespace norva::usb
