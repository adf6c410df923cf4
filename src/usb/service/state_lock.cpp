#include "usb/service/state_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <thread>

namespace norva::usb {
namespace {
constexpr std::chrono::milliseconds kRetryInterval{2};
}

StateLock::StateLock(const std::filesystem::path& folder, std::chrono::milliseconds timeout) {
  fd_ = ::open((folder / ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
  if (fd_ < 0) return;
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (::flock(fd_, LOCK_EX | LOCK_NB) != 0) {
    if ((errno != EWOULDBLOCK && errno != EINTR) || std::chrono::steady_clock::now() >= deadline) {
      outcome_ = Outcome::TimedOut;
      return;
    }
    std::this_thread::sleep_for(kRetryInterval);
  }
  outcome_ = Outcome::Locked;
}

StateLock::~StateLock() {
  if (fd_ >= 0) ::close(fd_);  // closing releases the lock
}

}  // namespace norva::usb
