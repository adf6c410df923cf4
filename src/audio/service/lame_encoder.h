#pragma once
// The MP3 encoder of the WAV to MP3 converter: the source is read with libsndfile (WAV, and
// whatever else libsndfile opens; mono or stereo) as 16-bit samples and encoded with LAME at a
// constant bit rate into the target, which is written from its start, its first frame being
// the encoder's information tag. stop() from another thread ends a running encode() between
// two blocks of samples; the target then holds what was encoded so far.
#include <atomic>

#include "audio/mp3_encoder.h"

namespace norva::audio {

struct Mp3Settings {
  int bitrateKbps = 128;  // constant bit rate
  int quality = 3;        // LAME's algorithm choice, 0 (best, slowest) to 9
};

// The bit rates (kbps) an MPEG audio Layer III stream can have, MPEG 1 and 2 together.
bool isLayer3Bitrate(int kbps);

class LameEncoder : public Mp3Encoder {
 public:
  explicit LameEncoder(Mp3Settings settings = {}) : settings_(settings) {}

  EncodeOutcome encode(const std::filesystem::path& source,
                       const std::filesystem::path& target) override;
  void stop() override;

 private:
  Mp3Settings settings_;
  std::atomic<bool> encoding_{false};
  std::atomic<bool> stop_{false};
};

}  // namespace norva::audio
