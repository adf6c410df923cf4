// Any bytes as an audio file: the media player either refuses them with an error text or plays
// them to the end on the null device, and the position never goes past the length it read.
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <span>

#include "audio/borrowed_output.h"
#include "audio/null_output.h"
#include "audio/service/media_player.h"
#include "base/service/private_temp_file.h"

namespace {

[[noreturn]] void fail(const char* what) {
  std::fprintf(stderr, "media player: %s\n", what);
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  auto file = norva::PrivateTempFile::create("norva-media-fuzz-");
  if (!file || !file->write(std::span<const uint8_t>(data, size))) return 0;
  norva::audio::NullOutput device(norva::audio::NullOutput::Pace::AsFastAsPossible);
  norva::audio::MediaPlayer player(std::make_unique<norva::audio::BorrowedOutput>(device));
  const auto outcome = player.openAndPlay(file->path());
  if (outcome != norva::audio::MediaOpenOutcome::Playing) {
    if (player.errorDescription().empty()) fail("refused without an error text");
    if (player.isOpen()) fail("refused but left open");
    return 0;
  }
  // A short file may have played to its end already; a seek then leaves the player stopped at
  // the new position, and there is no end to wait for.
  player.setPosition(player.duration() / 2);
  if (player.playState() == norva::audio::MediaPlayState::Playing &&
      !player.waitForEnd(std::chrono::seconds(30)))
    fail("no end reported");
  if (player.position() > player.duration()) fail("position past the length");
  player.close();
  return 0;
}
