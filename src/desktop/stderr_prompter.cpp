#include "desktop/stderr_prompter.h"

#include <cstdio>

namespace norva::desktop {

Answer StderrPrompter::show(const Message& message) {
  shown_ = true;
  std::fprintf(stderr, "[%s] %s\n", message.caption.c_str(), message.text.c_str());
  if (message.buttons == MessageButtons::Ok) return Answer::Ok;
  return message.buttons == MessageButtons::YesNo ? Answer::No : Answer::Cancel;
}

}  // namespace norva::desktop
