#pragma once
// What libmpg123 alone makes of a whole file: every frame it decodes, as 16-bit PCM in the
// stream's own channels and rate, with nothing trimmed (no gapless removal).
#include <mpg123.h>

#include <cstdint>
#include <span>
#include <vector>

namespace norva::test {

struct ReferenceDecode {
  std::vector<uint8_t> pcm;
  int frames = 0;
  bool ok = false;
};

inline ReferenceDecode referenceDecode(std::span<const uint8_t> file, long rate, int channels) {
  ReferenceDecode result;
  mpg123_init();
  int error = 0;
  mpg123_handle* mh = mpg123_new(nullptr, &error);
  if (!mh) return result;
  mpg123_param(mh, MPG123_FLAGS, MPG123_QUIET, 0);
  mpg123_format_none(mh);
  mpg123_format(mh, rate, channels == 1 ? MPG123_MONO : MPG123_STEREO, MPG123_ENC_SIGNED_16);
  mpg123_open_feed(mh);
  mpg123_feed(mh, file.data(), file.size());
  for (;;) {
    off_t num = 0;
    unsigned char* audio = nullptr;
    size_t bytes = 0;
    const int rc = mpg123_decode_frame(mh, &num, &audio, &bytes);
    if (rc == MPG123_NEW_FORMAT) continue;
    if (rc != MPG123_OK) break;
    result.pcm.insert(result.pcm.end(), audio, audio + bytes);
    ++result.frames;
  }
  mpg123_delete(mh);
  result.ok = true;
  return result;
}

}  // namespace norva::test
