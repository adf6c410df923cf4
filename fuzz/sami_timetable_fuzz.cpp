// The verify dialog's timetable from any SAMI bytes: it fits the buffer, every screen has at
// most 7 lines and the laid-out places point at the screens.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "lyrics/sami_timetable.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace norva::lyr;
  const std::string_view sami(reinterpret_cast<const char*>(data), size);
  const SamiTimetable table = buildSamiTimetable(sami);
  const std::vector<uint8_t> bytes = layOutTimetable(table);
  if (bytes.size() > kTimetableBufferBytes || bytes.size() % kTimetablePageBytes != 0)
    __builtin_trap();
  if (table.entries.empty() != (table.build == TimetableBuild::NoBody)) __builtin_trap();
  for (size_t i = 0; i < table.entries.size(); ++i) {
    const TimetableEntry& entry = table.entries[i];
    if (timetableScreenLines(entry.screen).size() > static_cast<size_t>(kTimetableScreenLines))
      __builtin_trap();
    const size_t at = 2 + kTimetableEntryBytes * i;
    const size_t text = bytes[at + 4] * kTimetablePageBytes + bytes[at + 5] * 256u + bytes[at + 6];
    if (text + entry.screen.size() >= bytes.size()) __builtin_trap();
    if (std::memcmp(bytes.data() + text, entry.screen.data(), entry.screen.size()) != 0 ||
        bytes[text + entry.screen.size()] != 0)
      __builtin_trap();
  }
  return 0;
}
