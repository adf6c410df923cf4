#pragma once
// Player voice recordings to WAV. The player stores ADPCM recordings (".tcw") as RIFF WAVE
// files whose format is IMA ADPCM (format tag 0x0011, 4 bits per sample, mono or stereo); the
// same container is accepted for ".tvf" files. Decoding gives a 16-bit PCM WAVE file that any
// PC program plays.
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace norva::usb {

// The PCM WAVE file, or nothing when `file` is not an IMA ADPCM WAVE file this decoder reads.
std::optional<std::vector<uint8_t>> decodeImaAdpcmWave(std::span<const uint8_t> file);

// A 16-bit PCM WAVE file of the given samples (interleaved when stereo).
std::vector<uint8_t> pcmWave(std::span<const int16_t> samples, uint16_t channels,
                             uint32_t sampleRate);

}  // namespace norva::usb
