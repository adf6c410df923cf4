// The editor's timed-text reading and the LYR writer's size check and build.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "base/recording_prompter.h"
#include "lyrics/service/layout_warning.h"
#include "lyrics/timed_lyr_image.h"
#include "lyrics/timed_text_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const uint8_t mode = data[0];
  const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
  const norva::Answer answers[] = {norva::Answer::No, norva::Answer::Yes, norva::Answer::Cancel};
  norva::RecordingPrompter prompter({}, answers[mode % 3]);
  const auto font = (mode & 0x04) ? norva::lyr::FontMode::Large : norva::lyr::FontMode::Small;
  norva::lyr::LayoutWarning warning(prompter, norva::lyr::LayoutWarning::Path::Editor);
  const auto screens = norva::lyr::readTimedText(text, font, warning);
  if (!screens) return 0;
  for (const auto& screen : *screens) {
    // Wrapped lines hold at most 16 bytes.
    size_t line = 0;
    for (char c : screen.text) {
      line = c == '\r' ? 0 : line + 1;
      if (line > 16) __builtin_trap();
    }
  }
  if (const auto layout = norva::lyr::checkTimedLyrSize(*screens, font);
      layout.check == norva::lyr::LyrSizeCheck::Fits) {
    const auto file = norva::lyr::buildTimedLyrFile(*screens, layout);
    if (file.size() % 512 != 0) __builtin_trap();
  }
  return 0;
}
