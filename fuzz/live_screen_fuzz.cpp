// The editor's live player screen: any text compiles or gives the convert message, and every
// screen it shows is made of the player's lines.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "editor/player_screen.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const norva::editor::LiveLyric live = norva::editor::LiveLyric::compile(text);
  if (live.outcome() != norva::editor::LiveCompile::Compiled) {
    if (live.errorText().empty() || live.screenAt(1.0)) __builtin_trap();
    return 0;
  }
  for (double seconds : {0.0, 0.1, 1.5, 60.0, 6553.5, 1.0e9}) {
    const auto screen = live.screenAt(seconds);
    if (!screen) continue;
    // The player's lines hold at most 16 bytes.
    size_t line = 0;
    for (char c : *screen) {
      line = c == '\r' ? 0 : line + 1;
      if (line > 16) __builtin_trap();
    }
  }
  return 0;
}
