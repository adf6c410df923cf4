#include "usb/service/image_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace norva::usb {

ImageFile::ImageFile(const std::filesystem::path& path, Gate gate) : gate_(std::move(gate)) {
  fd_ = ::open(path.c_str(), O_RDWR | O_CLOEXEC);
  writable_ = fd_ >= 0;
  if (fd_ < 0) fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd_ < 0) {
    lastError_ = errno;
    return;
  }
  struct stat info {};
  if (::fstat(fd_, &info) != 0 || !S_ISREG(info.st_mode)) {
    lastError_ = errno;
    ::close(fd_);
    fd_ = -1;
    return;
  }
  size_ = static_cast<uint64_t>(info.st_size);
}

ImageFile::~ImageFile() {
  if (fd_ >= 0) ::close(fd_);
}

bool ImageFile::read(uint64_t offset, std::span<uint8_t> bytes) {
  if (offset > size_ || bytes.size() > size_ - offset) return false;
  return transferAll(bytes.size(), [&](size_t done) {
    return ::pread(fd_, bytes.data() + done, bytes.size() - done,
                   static_cast<off_t>(offset + done));
  });
}

bool ImageFile::passGate() {
  if (gate_ && !gate_()) {
    gateClosed_ = true;
    lastError_ = 0;
    return false;
  }
  return true;
}

bool ImageFile::write(uint64_t offset, std::span<const uint8_t> bytes) {
  if (offset > size_ || bytes.size() > size_ - offset) return false;
  if (!passGate()) return false;
  return transferAll(bytes.size(), [&](size_t done) {
    return ::pwrite(fd_, bytes.data() + done, bytes.size() - done,
                    static_cast<off_t>(offset + done));
  });
}

bool ImageFile::transferAll(size_t size, const std::function<ssize_t(size_t done)>& step) {
  size_t done = 0;
  while (done < size) {
    const ssize_t moved = step(done);
    if (moved < 0 && errno == EINTR) continue;
    if (moved <= 0) {
      lastError_ = moved < 0 ? errno : EIO;
      return false;
    }
    done += static_cast<size_t>(moved);
  }
  return true;
}

bool ImageFile::erase() {
  if (!passGate()) return false;
  // Cutting the file to nothing and growing it back gives zero bytes throughout (and frees the
  // disk space the old contents took).
  if (::ftruncate(fd_, 0) != 0 || ::ftruncate(fd_, static_cast<off_t>(size_)) != 0) {
    lastError_ = errno;
    return false;
  }
  return true;
}

}  // namespace norva::usb
