// LGO reader, with and without a description file: the first input byte says whether the next
// six bytes are the head of "<name>.des"; the rest is the data file.
#include <cstddef>
#include <cstdint>
#include <span>

#include "logo/lgo_reader.h"
#include "logo/logo_conversion.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  std::span<const uint8_t> input(data + 1, size - 1);
  std::optional<std::span<const uint8_t>> description;
  if ((data[0] & 1) && input.size() >= 6) {
    description = input.first(6);
    input = input.subspan(6);
  }
  if (auto logo = norva::logo::decodeLgo(input, description)) {
    // Render what was accepted: every pixel address must lie inside the store.
    const auto picture = norva::logo::renderLogo(*logo);
    if (picture.width != logo->width) __builtin_trap();
  }
  return 0;
}
