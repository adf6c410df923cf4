#pragma once
// The MPEG audio decoder behind the engine, with the four things the engine asks of it:
// parse a header (our own parse), initialise for a stream, tell the output format, and decode
// one frame. libmpg123 does the decoding, one whole frame at a time, at full rate and with the
// stream's own channels as 16-bit samples.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>

#include "preview/mpeg_header.h"

namespace norva::preview {

struct DecoderFormat {
  int channels = 0;
  uint32_t sampleRate = 0;
  int bitsPerSample = 16;
};

struct DecodeResult {
  size_t inputUsed = 0;  // 0: no frame could be decoded here
  size_t outputBytes = 0;
};

class MpegDecoder {
 public:
  MpegDecoder();
  ~MpegDecoder();
  MpegDecoder(const MpegDecoder&) = delete;
  MpegDecoder& operator=(const MpegDecoder&) = delete;

  // (a) The first valid header in `bytes` and the bytes skipped before it.
  static std::optional<FoundHeader> parseHeader(std::span<const uint8_t> bytes);

  // (b) Prepares for a stream of frames like `header`; also starts over after a break in the
  // stream (a seek, or bytes that could not be decoded). False when the decoder refuses.
  bool init(const MpegHeader& header);

  // (c) Channels, rate and sample size of what decodeFrame writes.
  DecoderFormat format() const { return format_; }
  // Bytes one decoded frame takes.
  size_t blockSize() const;

  // (d) Decodes the frame at the start of `input` into `output`. Nothing is used when no
  // header of the stream is there, the frame is not wholly in `input`, or it does not decode.
  DecodeResult decodeFrame(std::span<const uint8_t> input, std::span<uint8_t> output);

 private:
  struct Handle;
  std::unique_ptr<Handle> handle_;
  MpegHeader stream_;
  DecoderFormat format_;
};

}  // namespace norva::preview
