// Loading a lyric track from any bytes (the head of an MPR, or a LYR file past its header
// block) and stepping the progress rule over it.
#include <cstddef>
#include <cstdint>
#include <span>

#include "preview/lyric_track.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const auto track = norva::preview::LyricTrack::fromBody(std::span<const uint8_t>(data, size));
  if (!track) return 0;
  norva::preview::LyricProgress progress(&*track);
  for (int64_t t : {0, 1, 36, 73, 600, 65535, 70000}) {
    const auto step = progress.update(t);
    if (step.screen && *step.screen >= track->entries().size()) __builtin_trap();
  }
  return 0;
}
