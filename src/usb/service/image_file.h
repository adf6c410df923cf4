#pragma once
// A drive image file as the block device of a FAT volume. Before every write it asks its gate
// whether the operation may go on (the simulated player is still attached); a closed gate
// fails the write, so an unplugged player stops a transfer at its next step.
#include <sys/types.h>
#include <cstdint>
#include <filesystem>

#include <functional>

#include "usb/block_device.h"

namespace norva::usb {

class ImageFile final : public BlockDevice {
 public:
  using Gate = std::function<bool()>;

  ImageFile(const std::filesystem::path& path, Gate gate);
  ~ImageFile() override;
  ImageFile(const ImageFile&) = delete;
  ImageFile& operator=(const ImageFile&) = delete;

  bool isOpen() const { return fd_ >= 0; }
  bool writable() const { return writable_; }
  // errno of the last failure (0 when the gate closed).
  int lastError() const { return lastError_; }
  bool gateClosed() const { return gateClosed_; }

  uint64_t size() const override { return size_; }
  bool read(uint64_t offset, std::span<uint8_t> bytes) override;
  bool write(uint64_t offset, std::span<const uint8_t> bytes) override;
  // Every byte becomes zero (the image keeps its size).
  bool erase();

 private:
  bool passGate();
  // Repeats a partial read or write until `size` bytes moved; false on an error or end of file.
  bool transferAll(size_t size, const std::function<ssize_t(size_t done)>& step);

  int fd_ = -1;
  bool writable_ = false;
  uint64_t size_ = 0;
  Gate gate_;
  int lastError_ = 0;
  bool gateClosed_ = false;
};

}  // namespace norva::usb
