#pragma once
// Finding the audio in a file image (MP3, MP2, or MPR with its lyric in front) and the figures
// the player derives from it: total frames and the duration of one frame.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

#include "preview/mpeg_header.h"
#include "preview/xing_header.h"

namespace norva::preview {

// Window the three-frame test looks in, and the least a file must hold past the search start.
constexpr size_t kSearchWindow = 4323;
// Frames of the second and third test frame must be smaller than this.
constexpr size_t kLargestTestFrame = 1441;
// How far one step of the sync scan looks.
constexpr size_t kScanSpan = 1440;
// The header search gives up when fewer bytes than this remain.
constexpr size_t kScanMinRemaining = 1442;
// Three-frame tests before the search gives up.
constexpr int kMaxSearchTries = 32;

struct StreamInfo {
  size_t firstFrameOffset = 0;  // the first of the three frames
  MpegHeader header;            // its header
  std::optional<XingHeader> xing;
  size_t audioOffset = 0;  // where decoding starts: the first frame, or the one after the tag
  int64_t totalFrames = 0;
  double msPerFrame = 0.0;
  uint32_t sampleRate = 0;
  uint8_t layer = 0;
  int tries = 0;  // three-frame tests the search ran
};

// The header search's sync scan: the first sync pattern in bytes pos + 1 ... pos + 1440,
// stepping on by 1441 bytes while none is found. Nothing once fewer than 1442 bytes remain.
std::optional<size_t> scanForSync(std::span<const uint8_t> file, size_t pos);

// The three-frame test at `pos`: three valid, back-to-back, consistent Layer II/III frames
// starting at the first header in the 4323 bytes from `pos`. On failure `failedSync` is the
// position of the header the test started from (when there was one).
std::optional<FoundHeader> threeFrameTest(std::span<const uint8_t> file, size_t pos,
                                          std::optional<size_t>& failedSync);

// The header search and the stream figures. Nothing when the file holds no usable stream.
std::optional<StreamInfo> analyseStream(std::span<const uint8_t> file);

// Total frames: the tag's frame count when it has one, else the stream's bytes (from the
// first frame on) divided by the first frame's size.
int64_t totalFramesOf(size_t fileSize, size_t firstFrameOffset, const MpegHeader& header,
                      const std::optional<XingHeader>& xing);

struct SeekTarget {
  int64_t frame = 0;  // frames before the point
  size_t byte = 0;    // where decoding goes on
};

// Where `thousandths` of the stream (0..1000) lies: the frame is that share of the total,
// rounded half up; the byte comes from the tag's seek table when there is one (a share of the
// tag's byte count, else of the stream), otherwise from the first frame's size. Both count from
// the first frame, never fall before the audio or past the end of the file.
SeekTarget seekTarget(const StreamInfo& info, size_t fileSize, int thousandths);

// Milliseconds one frame plays.
double msPerFrameOf(const MpegHeader& header);

}  // namespace norva::preview
