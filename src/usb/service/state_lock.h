#pragma once
// The exclusive lock every operation on a simulated player's folder holds, so that two
// processes (or threads) never change its images at the same time. An flock on ".lock" in the
// folder, waited for at most a given time.
#include <chrono>
#include <filesystem>

namespace norva::usb {

class StateLock {
 public:
  enum class Outcome { Locked, NoFolder, TimedOut };

  StateLock(const std::filesystem::path& folder, std::chrono::milliseconds timeout);
  ~StateLock();
  StateLock(const StateLock&) = delete;
  StateLock& operator=(const StateLock&) = delete;

  Outcome outcome() const { return outcome_; }

 private:
  int fd_ = -1;
  Outcome outcome_ = Outcome::NoFolder;
};

}  // namespace norva::usb
