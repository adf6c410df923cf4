#pragma once
// Ctrl+C (and whatever other signals a command names) noted instead of ending the program, for
// the life of one object, so that the command can end in order: the terminal and the device
// restored, a conversion cancelled. The signals' earlier handlers come back afterwards.
#include <csignal>
#include <initializer_list>
#include <utility>
#include <vector>

namespace norva::cli {

class InterruptCatcher {
 public:
  explicit InterruptCatcher(std::initializer_list<int> signals);
  ~InterruptCatcher();
  InterruptCatcher(const InterruptCatcher&) = delete;
  InterruptCatcher& operator=(const InterruptCatcher&) = delete;

  bool interrupted() const;
  // The shell's convention for a program ended by a signal: 128 + its number (130 for Ctrl+C).
  int exitCode() const;

 private:
  std::vector<std::pair<int, struct sigaction>> previous_;
};

}  // namespace norva::cli
