#include "base/service/private_temp_file.h"

#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string>

namespace norva {

std::optional<PrivateTempFile> PrivateTempFile::create(std::string_view prefix) {
  std::error_code ec;
  const auto folder = std::filesystem::temp_directory_path(ec);
  if (ec) return std::nullopt;
  std::string pattern = (folder / (std::string(prefix) + "XXXXXX")).string();
  const int fd = ::mkstemp(pattern.data());  // O_EXCL, mode 0600
  if (fd < 0) return std::nullopt;
  return PrivateTempFile(pattern, fd);
}

PrivateTempFile::PrivateTempFile(PrivateTempFile&& other) noexcept
    : path_(std::move(other.path_)), fd_(other.fd_) {
  other.fd_ = -1;
  other.path_.clear();
}

PrivateTempFile::~PrivateTempFile() {
  if (fd_ >= 0) ::close(fd_);
  if (!path_.empty()) ::unlink(path_.c_str());
}

bool PrivateTempFile::write(std::span<const uint8_t> bytes) {
  if (fd_ < 0) return false;
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd_, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<size_t>(n);
  }
  return ::fsync(fd_) == 0;
}

}  // namespace norva
