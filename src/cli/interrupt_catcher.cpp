#include "cli/interrupt_catcher.h"

#include <atomic>

namespace norva::cli {
namespace {

std::atomic<int> caughtSignal{0};
static_assert(std::atomic<int>::is_always_lock_free, "set from a signal handler");

extern "C" void noteSignal(int signal) {
  caughtSignal = signal;
}

}  // namespace

InterruptCatcher::InterruptCatcher(std::initializer_list<int> signals) {
  caughtSignal = 0;
  struct sigaction action {};
  action.sa_handler = noteSignal;
  sigemptyset(&action.sa_mask);  // no SA_RESTART: a waiting call returns early with EINTR
  for (const int signal : signals) {
    struct sigaction before {};
    ::sigaction(signal, &action, &before);
    previous_.emplace_back(signal, before);
  }
}

InterruptCatcher::~InterruptCatcher() {
  for (const auto& [signal, before] : previous_) ::sigaction(signal, &before, nullptr);
}

bool InterruptCatcher::interrupted() const {
  return caughtSignal.load() != 0;
}

int InterruptCatcher::exitCode() const {
  return 128 + caughtSignal.load();
}

}  // namespace norva::cli
