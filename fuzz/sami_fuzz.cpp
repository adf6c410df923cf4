// SAMI to timed text, and the timed text it gives through the editor's reader.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "base/recording_prompter.h"
#include "lyrics/sami_to_timed_text.h"
#include "lyrics/service/layout_warning.h"
#include "lyrics/timed_text_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view sami(reinterpret_cast<const char*>(data), size);
  const auto result = norva::lyr::samiToTimedText(sami);
  if (result.timedText.size() > sami.size()) __builtin_trap();
  norva::RecordingPrompter prompter({}, norva::Answer::Yes);
  norva::lyr::LayoutWarning warning(prompter, norva::lyr::LayoutWarning::Path::Editor);
  norva::lyr::readTimedText(result.timedText, norva::lyr::FontMode::Small, warning);
  return 0;
}
