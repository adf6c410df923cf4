#include "base/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <fstream>

namespace norva {
namespace {

// A file descriptor closed when it goes out of scope.
class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  ~FileDescriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  int get() const { return fd_; }
  int release() {
    int fd = fd_;
    fd_ = -1;
    return fd;
  }

 private:
  int fd_;
};

std::string errnoText(const std::string& what) {
  return what + ": " + std::strerror(errno);
}

}  // namespace

ReadResult readWholeFile(const std::filesystem::path& path, uint64_t maxBytes) {
  ReadResult result;
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec)) return result;
  std::ifstream in(path, std::ios::binary);
  if (!in) return result;
  in.seekg(0, std::ios::end);
  const auto size = static_cast<uint64_t>(in.tellg());
  result.fileSize = size;
  if (size > maxBytes) {
    result.status = ReadResult::Status::TooLarge;
    return result;
  }
  in.seekg(0, std::ios::beg);
  result.bytes.resize(size);
  if (size > 0 &&
      !in.read(reinterpret_cast<char*>(result.bytes.data()), static_cast<std::streamsize>(size))) {
    result.bytes.clear();
    return result;
  }
  result.status = ReadResult::Status::Ok;
  return result;
}

std::string writeFileAtomically(const std::filesystem::path& path, std::span<const uint8_t> bytes) {
  const std::filesystem::path folder =
      path.has_parent_path() ? path.parent_path() : std::filesystem::path(".");
  std::string pattern = (folder / ("." + path.filename().string() + ".XXXXXX")).string();
  FileDescriptor fd(::mkstemp(pattern.data()));
  if (fd.get() < 0) return errnoText("cannot create a file in " + folder.string());
  const std::string temporary = pattern;
  auto fail = [&](const std::string& what) {
    std::string message = errnoText(what);
    ::unlink(temporary.c_str());
    return message;
  };

  // Keep the permissions of the file being replaced; a new file gets the usual ones.
  struct stat existing {};
  mode_t mode = 0666;
  if (::stat(path.c_str(), &existing) == 0) {
    mode = existing.st_mode & 07777;
  } else {
    mode_t mask = ::umask(0);
    ::umask(mask);
    mode &= ~mask;
  }
  if (::fchmod(fd.get(), mode) != 0) return fail("cannot set permissions");

  size_t written = 0;
  while (written < bytes.size()) {
    ssize_t n = ::write(fd.get(), bytes.data() + written, bytes.size() - written);
    if (n < 0) {
      if (errno == EINTR) continue;
      return fail("cannot write " + temporary);
    }
    written += static_cast<size_t>(n);
  }
  if (::fsync(fd.get()) != 0) return fail("cannot flush " + temporary);
  if (::close(fd.release()) != 0) return fail("cannot close " + temporary);
  if (::rename(temporary.c_str(), path.c_str()) != 0)
    return fail("cannot replace " + path.string());
  return {};
}

}  // namespace norva
