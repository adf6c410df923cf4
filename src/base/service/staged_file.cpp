#include "base/service/staged_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <ctime>

namespace norva {
namespace {

constexpr int kMaxLinkHops = 40;  // the kernel's own limit for a chain of links
// What tells our temporary files from a user's own hidden files: ".NAME.norva-XXXXXX".
constexpr const char* kTemporaryMark = ".norva-";

// Follows a chain of symbolic links to the file they name, which need not exist yet.
std::filesystem::path finalTarget(std::filesystem::path path) {
  std::error_code ec;
  for (int hop = 0; hop < kMaxLinkHops && std::filesystem::is_symlink(path, ec); ++hop) {
    std::filesystem::path next = std::filesystem::read_symlink(path, ec);
    if (ec) break;
    path = next.is_absolute() ? next : path.parent_path() / next;
  }
  return path;
}

std::filesystem::path folderOf(const std::filesystem::path& path) {
  return path.has_parent_path() ? path.parent_path() : std::filesystem::path(".");
}

}  // namespace

void removeStaleStagedFiles(const std::filesystem::path& path) {
  const std::filesystem::path folder = folderOf(path);
  const std::string prefix = "." + path.filename().string() + kTemporaryMark;
  std::error_code ec;
  for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end;
       it.increment(ec)) {
    const std::string candidate = it->path().filename().string();
    if (candidate.size() <= prefix.size() || candidate.compare(0, prefix.size(), prefix) != 0)
      continue;
    struct stat info {};
    if (::lstat(it->path().c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
        info.st_uid == ::geteuid() && info.st_mtime + 60 < ::time(nullptr))
      ::unlink(it->path().c_str());
  }
}

StagedFile::StagedFile(std::filesystem::path path) : path_(finalTarget(std::move(path))) {
  // Keep the permissions of a file being replaced; a new file gets the usual ones.
  struct stat existing {};
  mode_t mode = 0666;
  if (::stat(path_.c_str(), &existing) == 0) {
    if (S_ISCHR(existing.st_mode) || S_ISBLK(existing.st_mode) || S_ISFIFO(existing.st_mode) ||
        S_ISSOCK(existing.st_mode)) {
      direct_ = true;
      fd_ = ::open(path_.c_str(), O_WRONLY | O_CLOEXEC);
      if (fd_ < 0) fail("cannot open " + path_.string());
      return;
    }
    mode = existing.st_mode & 07777;
  } else {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    mode &= ~mask;
  }
  const std::filesystem::path folder = folderOf(path_);
  if (!openUnnamed(folder, mode) && !openNamed(folder, mode)) return;
  if (::fchmod(fd_, mode) != 0) fail("cannot set permissions");
}

bool StagedFile::openUnnamed(const std::filesystem::path& folder, unsigned mode) {
#ifdef O_TMPFILE
  fd_ = ::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, static_cast<mode_t>(mode));
  return fd_ >= 0;
#else
  (void)folder;
  (void)mode;
  return false;
#endif
}

bool StagedFile::openNamed(const std::filesystem::path& folder, unsigned) {
  removeStaleStagedFiles(path_);
  std::string pattern =
      (folder / ("." + path_.filename().string() + kTemporaryMark + "XXXXXX")).string();
  fd_ = ::mkostemp(pattern.data(), O_CLOEXEC);
  if (fd_ < 0) return fail("cannot create a file in " + folder.string());
  temporary_ = pattern;
  return true;
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
      return fail("cannot write " + path_.string());
    }
    written += static_cast<size_t>(n);
  }
  return true;
}

bool StagedFile::commit() {
  if (!ok()) return false;
  if (direct_) {
    const int fd = fd_;
    fd_ = -1;
    // A device or pipe that cannot be flushed (EINVAL, EROFS) has nothing to flush.
    if (::fsync(fd) != 0 && errno != EINVAL && errno != EROFS) {
      fail("cannot flush " + path_.string());
      ::close(fd);
      return false;
    }
    if (::close(fd) != 0) return fail("cannot close " + path_.string());
    committed_ = true;
    return true;
  }
  if (::fsync(fd_) != 0) return fail("cannot flush " + path_.string());
  if (temporary_.empty()) {
    // The unnamed file gets a name only now, right before it replaces the old file, so a kill
    // at any earlier moment leaves nothing behind.
    const std::filesystem::path folder = folderOf(path_);
    const std::string procPath = "/proc/self/fd/" + std::to_string(fd_);
    for (int attempt = 0; attempt < 100 && temporary_.empty(); ++attempt) {
      std::string name = (folder / ("." + path_.filename().string() + kTemporaryMark +
                                    std::to_string(::getpid()) + "-" + std::to_string(attempt)))
                             .string();
      if (::linkat(AT_FDCWD, procPath.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0)
        temporary_ = name;
      else if (errno != EEXIST)
        return fail("cannot name the new " + path_.string());
    }
    if (temporary_.empty()) return fail("cannot name the new " + path_.string());
  }
  const int fd = fd_;
  fd_ = -1;
  if (::close(fd) != 0) return fail("cannot close " + path_.string());
  if (::rename(temporary_.c_str(), path_.c_str()) != 0)
    return fail("cannot replace " + path_.string());
  committed_ = true;
  return true;
}

}  // namespace norva
