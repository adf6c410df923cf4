#pragma once
// The bytes a FAT volume lives on: an image in memory, or (in the service) an image file.
// Reads and writes address bytes; a failing write leaves the caller to give up the operation.
#include <cstdint>
#include <span>
#include <vector>

namespace norva::usb {

class BlockDevice {
 public:
  virtual ~BlockDevice() = default;
  virtual uint64_t size() const = 0;
  // False when the range is outside the device or the medium fails.
  virtual bool read(uint64_t offset, std::span<uint8_t> bytes) = 0;
  virtual bool write(uint64_t offset, std::span<const uint8_t> bytes) = 0;
};

// An image held in memory; the volume works on it in place.
class MemoryBlockDevice final : public BlockDevice {
 public:
  explicit MemoryBlockDevice(std::vector<uint8_t> image) : image_(std::move(image)) {}
  uint64_t size() const override { return image_.size(); }
  bool read(uint64_t offset, std::span<uint8_t> bytes) override;
  bool write(uint64_t offset, std::span<const uint8_t> bytes) override;
  const std::vector<uint8_t>& image() const { return image_; }

 private:
  std::vector<uint8_t> image_;
};

}  // namespace norva::usb
