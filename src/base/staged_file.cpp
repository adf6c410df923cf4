#include "base/staged_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace norva {

StagedFile::StagedFile(std::filesystem::path path) : path_(std::move(path)) {
  const std::filesystem::path folder =
      path_.has_parent_path() ? path_.parent_path() : std::filesystem::path(".");
  std::string pattern = (folder / ("." + path_.filename().string() + ".XXXXXX")).string();
  fd_ = ::mkstemp(pattern.data());
  if (fd_ < 0) {
    fail("cannot create a file in " + folder.string());
    return;
  }
  temporary_ = pattern;
  // Keep the permissions of a file being replaced; a new file gets the usual ones.
  struct stat existing {};
  mode_t mode = 0666;
  if (::stat(path_.c_str(), &existing) == 0) {
    mode = existing.st_mode & 07777;
  } else {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    mode &= ~mask;
  }
  if (::fchmod(fd_, mode) != 0) fail("cannot set permissions");
}

StagedFile::~StagedFile() {
  if (fd_ >= 0) ::close(fd_);
  if (!committed_ && !temporary_.empty()) ::unlink(temporary_.c_str());
}

bool StagedFile::fail(const std::string& what) {
  if (error_.empty()) error_ = what + ": " + std::strerror(errno);
  return false;
}

bool StagedFile::write(std::span<const uint8_t> bytes) {
  if (!ok()) return false;
  size_t written = 0;
  while (written < bytes.size()) {
    const ssize_t n = ::write(fd_, bytes.data() + written, bytes.size() - written);
    if (n < 0) {
      if (errno == EINTR) continue;
      return fail("cannot write " + temporary_);
    }
    written += static_cast<size_t>(n);
  }
  return true;
}

bool StagedFile::commit() {
  if (!ok()) return false;
  if (::fsync(fd_) != 0) return fail("cannot flush " + temporary_);
  const int fd = fd_;
  fd_ = -1;
  if (::close(fd) != 0) return fail("cannot close " + temporary_);
  if (::rename(temporary_.c_str(), path_.c_str()) != 0)
    return fail("cannot replace " + path_.string());
  committed_ = true;
  return true;
}

}  // namespace norva
