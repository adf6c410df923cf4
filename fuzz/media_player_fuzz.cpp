// Any bytes as an audio file: the media player either refuses them with an error text or plays
// them to the end on the null device, and the position never goes past the length it read.
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <span>

#include "audio/borrowed_output.h"
#include "audio/null_output.h"
#include "audio/service/media_player.h"
#include "base/service/private_temp_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  auto file = norva::PrivateTempFile::create("norva-media-fuzz-");
  if (!file || !file->write(std::span<const uint8_t>(data, size))) return 0;
  norva::audio::NullOutput device(norva::audio::NullOutput::Pace::AsFastAsPossible);
  norva::audio::MediaPlayer player(std::make_unique<norva::audio::BorrowedOutput>(device));
  const auto outcome = player.openAndPlay(file->path());
  if (outcome != norva::audio::MediaOpenOutcome::Playing) {
    if (player.errorDescription().empty() || player.isOpen()) __builtin_trap();
    return 0;
  }
  player.setPosition(player.duration() / 2);
  if (!player.waitForEnd(std::chrono::seconds(30))) __builtin_trap();
  if (player.position() > player.duration()) __builtin_trap();
  player.close();
  return 0;
}
