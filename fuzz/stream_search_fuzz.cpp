// The header search on any bytes: frame headers, the three-frame test with its sync scans,
// the VBR tag of the first frame, the stream figures and the seek targets they give.
#include <cstddef>
#include <cstdint>
#include <span>

#include "preview/stream_info.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::span<const uint8_t> bytes(data, size);
  if (const auto found = norva::preview::findFirstHeader(bytes)) {
    (void)norva::preview::parseXingHeader(bytes.subspan(found->skipped), found->header);
  }
  if (const auto info = norva::preview::analyseStream(bytes)) {
    for (int p : {0, 1, 333, 500, 999, 1000}) {
      const auto target = norva::preview::seekTarget(*info, size, p);
      if (target.byte > size) __builtin_trap();
    }
    if (info->xing && info->xing->toc) {
      for (double percent : {-1.0, 0.0, 42.5, 99.9, 100.0, 1e9})
        (void)norva::preview::xingSeekFraction(*info->xing->toc, percent);
    }
  }
  return 0;
}
