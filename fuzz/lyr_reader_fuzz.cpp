// Reading a LYR file back into timed text; an accepted file's text compiles again.
#include <cstddef>
#include <cstdint>
#include <span>

#include "base/recording_prompter.h"
#include "lyrics/lyr_reader.h"
#include "lyrics/service/layout_warning.h"
#include "lyrics/timed_text_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::span<const uint8_t> file(data, size);
  const auto text = norva::lyr::lyrToTimedText(file);
  if (!text) return 0;
  norva::RecordingPrompter prompter({}, norva::Answer::Yes);
  norva::lyr::LayoutWarning warning(prompter, norva::lyr::LayoutWarning::Path::Editor);
  norva::lyr::readTimedText(*text, norva::lyr::FontMode::Large, warning);
  return 0;
}
