#include "preview/stream_info.h"

#include <algorithm>

namespace norva::preview {

std::optional<size_t> scanForSync(std::span<const uint8_t> file, size_t pos) {
  while (pos <= file.size() && file.size() - pos >= kScanMinRemaining) {
    for (size_t q = pos + 1; q <= pos + kScanSpan; ++q)
      if (isSyncAt(file, q)) return q;
    pos += kScanSpan + 1;
  }
  return std::nullopt;
}

std::optional<FoundHeader> threeFrameTest(std::span<const uint8_t> file, size_t pos,
                                          std::optional<size_t>& failedSync) {
  failedSync.reset();
  if (pos > file.size() || file.size() - pos < kSearchWindow + 1) return std::nullopt;
  const auto window = file.subspan(pos, kSearchWindow);
  const auto first = findFirstHeader(window);
  if (!first) return std::nullopt;
  failedSync = pos + first->skipped;

  const MpegHeader* previous = &first->header;
  size_t next = first->skipped + first->header.totalFrameSize();
  MpegHeader frames[2];
  for (auto& frame : frames) {
    if (next >= window.size()) return std::nullopt;
    // A frame must follow its predecessor directly: a header found further on is a false
    // sync that happened to precede real frames.
    const auto header = parseHeader(window.subspan(next));
    if (!header) return std::nullopt;
    if (header->totalFrameSize() >= kLargestTestFrame) return std::nullopt;
    if (header->layer != 2 && header->layer != 3) return std::nullopt;
    if (!header->sameStreamAs(*previous)) return std::nullopt;
    frame = *header;
    previous = &frame;
    next += header->totalFrameSize();
  }
  FoundHeader found = *first;
  found.skipped = pos + first->skipped;
  failedSync.reset();
  return found;
}

int64_t totalFramesOf(size_t fileSize, size_t firstFrameOffset, const MpegHeader& header,
                      const std::optional<XingHeader>& xing) {
  if (xing && xing->frames && *xing->frames > 0) return *xing->frames;
  if (fileSize < 1 || header.frameSize == 0) return -1;
  const size_t streamBytes = fileSize > firstFrameOffset ? fileSize - firstFrameOffset : 0;
  return static_cast<int64_t>(streamBytes / header.frameSize);
}

SeekTarget seekTarget(const StreamInfo& info, size_t fileSize, int thousandths) {
  const int64_t p = std::clamp(thousandths, 0, 1000);
  const int64_t total = std::max<int64_t>(info.totalFrames, 0);
  SeekTarget target;
  target.frame = (2 * total * p + 1000) / 2000;
  const auto& xing = info.xing;
  const size_t base = info.firstFrameOffset;
  if (xing && xing->toc && xing->frames && *xing->frames > 0) {
    const double percent = static_cast<double>(target.frame) * 100.0 / *xing->frames;
    const size_t span = xing->bytes && *xing->bytes > 0 ? *xing->bytes
                        : fileSize > base               ? fileSize - base
                                                        : 0;
    target.byte = base + static_cast<size_t>(xingSeekFraction(*xing->toc, percent) *
                                             static_cast<double>(span));
  } else {
    target.byte = base + info.header.frameSize * static_cast<size_t>(target.frame);
  }
  target.byte = std::clamp(target.byte, std::min(info.audioOffset, fileSize), fileSize);
  return target;
}

double msPerFrameOf(const MpegHeader& header) {
  return header.samplesPerFrame() * 1000.0 / header.sampleRate;
}

std::optional<StreamInfo> analyseStream(std::span<const uint8_t> file) {
  size_t pos = 0;
  for (int tries = 1; tries <= kMaxSearchTries; ++tries) {
    std::optional<size_t> failedSync;
    if (auto found = threeFrameTest(file, pos, failedSync)) {
      StreamInfo info;
      info.tries = tries;
      info.firstFrameOffset = found->skipped;
      info.header = found->header;
      const size_t frameEnd =
          std::min(file.size(), info.firstFrameOffset + info.header.totalFrameSize());
      info.xing = parseXingHeader(
          file.subspan(info.firstFrameOffset, frameEnd - info.firstFrameOffset), info.header);
      // The tag frame holds no audio; playing starts after it.
      info.audioOffset = info.xing ? frameEnd : info.firstFrameOffset;
      info.totalFrames = totalFramesOf(file.size(), info.firstFrameOffset, info.header, info.xing);
      info.msPerFrame = msPerFrameOf(info.header);
      info.sampleRate = info.header.sampleRate;
      info.layer = info.header.layer;
      return info;
    }
    // The next try starts past the sync pattern that failed (or past the whole window when
    // it held no header at all), never at the same place again.
    size_t from =
        failedSync ? *failedSync : (pos + kSearchWindow >= 3 ? pos + kSearchWindow - 3 : pos);
    auto next = scanForSync(file, from);
    if (!next) return std::nullopt;
    pos = *next;
  }
  return std::nullopt;
}

}  // namespace norva::preview
