// The LRC compiler (both syntaxes, editor and batch paths) on arbitrary text, then relay.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "base/recording_prompter.h"
#include "lyrics/service/lyr_compiler.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  // The first byte picks the syntax and the answers to layout warnings.
  const uint8_t mode = data[0];
  const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
  const norva::Answer answers[] = {norva::Answer::No, norva::Answer::Yes, norva::Answer::Cancel};
  norva::RecordingPrompter prompter({}, answers[mode % 3]);
  norva::lyr::CLyrCompiler compiler(prompter);
  if (mode & 0x08) compiler.setFontMode(norva::lyr::FontMode::Large);
  const auto status =
      (mode & 0x04) ? compiler.compileTimedText(text) : compiler.compileLrcText(text);
  if (status == norva::lyr::CompileStatus::Ok) {
    if (compiler.image().size > norva::lyr::kMaxImageSize || compiler.image().size % 512 != 0)
      __builtin_trap();
    compiler.relayImage();
  }
  return 0;
}
