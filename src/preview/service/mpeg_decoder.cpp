#include "preview/service/mpeg_decoder.h"

#include <mpg123.h>

#include <algorithm>
#include <mutex>

namespace norva::preview {

struct MpegDecoder::Handle {
  mpg123_handle* mh = nullptr;
  ~Handle() {
    if (mh) mpg123_delete(mh);
  }
};

namespace {

void initLibrary() {
  static std::once_flag once;
  std::call_once(once, [] { mpg123_init(); });
}

}  // namespace

MpegDecoder::MpegDecoder() = default;
MpegDecoder::~MpegDecoder() = default;

std::optional<FoundHeader> MpegDecoder::parseHeader(std::span<const uint8_t> bytes) {
  return findFirstHeader(bytes);
}

size_t MpegDecoder::blockSize() const {
  return static_cast<size_t>(format_.channels) * (format_.bitsPerSample / 8) *
         stream_.samplesPerFrame();
}

bool MpegDecoder::init(const MpegHeader& header) {
  initLibrary();
  handle_.reset();
  auto handle = std::make_unique<Handle>();
  int error = MPG123_OK;
  handle->mh = mpg123_new(nullptr, &error);
  if (handle->mh == nullptr) return false;
  mpg123_handle* mh = handle->mh;
  // Whole frames are fed one by one: no read-ahead, no resync inside a frame, no gapless
  // trimming, and a tag frame decodes like any other (the engine skips the stream's own).
  const long flags = MPG123_QUIET | MPG123_NO_READAHEAD | MPG123_NO_RESYNC |
                     MPG123_IGNORE_INFOFRAME | MPG123_SKIP_ID3V2;
  const int channels = header.channels();
  if (mpg123_param(mh, MPG123_FLAGS, flags, 0) != MPG123_OK ||
      mpg123_param(mh, MPG123_DOWN_SAMPLE, 0, 0) != MPG123_OK ||
      mpg123_format_none(mh) != MPG123_OK ||
      mpg123_format(mh, static_cast<long>(header.sampleRate),
                    channels == 1 ? MPG123_MONO : MPG123_STEREO,
                    MPG123_ENC_SIGNED_16) != MPG123_OK ||
      mpg123_open_feed(mh) != MPG123_OK)
    return false;
  handle_ = std::move(handle);
  stream_ = header;
  format_ = DecoderFormat{channels, header.sampleRate, 16};
  return true;
}

DecodeResult MpegDecoder::decodeFrame(std::span<const uint8_t> input, std::span<uint8_t> output) {
  if (!handle_) return {};
  const auto header = preview::parseHeader(input);
  if (!header || !header->sameStreamAs(stream_)) return {};
  const size_t size = header->totalFrameSize();
  if (size < 4 || size > input.size()) return {};
  mpg123_handle* mh = handle_->mh;
  if (mpg123_feed(mh, input.data(), size) != MPG123_OK) return {};
  for (int attempts = 0; attempts < 4; ++attempts) {
    off_t frameNumber = 0;
    unsigned char* audio = nullptr;
    size_t bytes = 0;
    const int rc = mpg123_decode_frame(mh, &frameNumber, &audio, &bytes);
    if (rc == MPG123_NEW_FORMAT) continue;
    if (rc == MPG123_NEED_MORE) return {size, 0};
    if (rc != MPG123_OK || bytes > output.size()) return {};
    std::copy_n(audio, bytes, output.begin());
    return {size, bytes};
  }
  return {};
}

}  // namespace norva::preview
