#pragma once
// MpegPlayer: the preview's playback engine. It holds a whole MP3/MPR file in memory, finds the
// audio in it, and plays it with two threads: the decode thread fills a ring of 32 PCM blocks,
// the output thread queues them on the sound device through 32 output headers. Pause, resume,
// stop, position and seek on a 0..1000 scale, device volume on 0..100.
//
// Ring indices, run state, flags and counters are atomics; the output headers' sequence
// numbers change only under one mutex. A block is decoded into only when the device has
// handed it back, so nothing still queued is ever overwritten.
#include <array>
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <span>
#include <thread>
#include <vector>

#include "audio/audio_output.h"
#include "preview/service/mpeg_decoder.h"
#include "preview/stream_info.h"

namespace norva::preview {

// What came of opening a file: it plays, or the one reason it does not.
enum class OpenOutcome {
  Opened,
  AnotherEngine,   // more than one engine object exists
  CannotRead,      // the file cannot be read
  NoStream,        // fewer than 4324 bytes, or no three consistent Layer II/III frames
  DecoderRefused,  // the decoder does not take the stream
  DeviceRefused,   // the sound device does not take the stream's format
};
const char* toString(OpenOutcome outcome);

class MpegPlayer {
 public:
  static constexpr uint32_t kRingBlocks = 32;

  enum RunState : int { kRunning = 0, kEndOfData = 1, kStopRequested = 2 };

  explicit MpegPlayer(std::unique_ptr<audio::AudioOutput> output);
  ~MpegPlayer();
  MpegPlayer(const MpegPlayer&) = delete;
  MpegPlayer& operator=(const MpegPlayer&) = delete;

  // Stops any playing of this engine, loads the file, finds its stream, opens the device and
  // starts both threads, playing from `startThousandths` of the stream (as seek() would place
  // it, but before anything is decoded, so nothing from the start is ever heard). Anything but
  // Opened says why nothing plays.
  OpenOutcome open(const std::filesystem::path& path, int startThousandths = 0);
  // The same for a file already in memory.
  OpenOutcome openImage(std::vector<uint8_t> image, int startThousandths = 0);

  void pause();
  void resume();
  // Ends playing: both threads end, the device is reset and closed.
  void stop();

  // Share of the stream played, in thousandths, from the frames the device has played.
  int position() const;
  // Continues playing at `thousandths` of the stream.
  void seek(int thousandths);

  // Frames decoded since the start or the last seek.
  int64_t framesDecoded() const { return framesDecoded_.load(); }
  // Frames the device has played since the start or the last seek; the time shown comes
  // from this, so that lyric and sound stay together.
  int64_t framesPlayed() const { return framesPlayed_.load(); }
  double msPerFrame() const { return info_.msPerFrame; }
  // True once the run state is not running: after the last block has been heard, or Stop.
  bool endOfData() const { return runState_.load() != kRunning; }

  // Device volume on 0..100: both channels set, the left one read back.
  int volume() const;
  void setVolume(int percent);

  bool started() const { return started_.load(); }
  bool paused() const { return paused_.load(); }
  const StreamInfo& stream() const { return info_; }
  size_t fileSize() const { return image_.size(); }
  // Where the decode thread will decode next.
  size_t readPosition() const { return readPos_.load(); }
  audio::AudioOutput& output() { return *output_; }

  // Called once on the output thread when playing ends at the natural end of the data. Set
  // before open.
  void setEndCallback(std::function<void()> callback) { onEnd_ = std::move(callback); }
  // Called on the device's thread after each block is played, with framesPlayed(). Set before
  // open. It must not call the engine.
  void setPlayedCallback(std::function<void(int64_t)> callback) { onPlayed_ = std::move(callback); }

  // Engine objects alive; opening fails while there is more than one.
  static int liveEngines();

 private:
  enum BlockState : uint8_t { kFree, kReady, kQueued };
  struct Block {
    std::vector<uint8_t> pcm;
    size_t length = 0;
    uint64_t generation = 0;
    std::atomic<uint8_t> state{kFree};
  };
  struct OutputHeader {
    int64_t sequence = 0;  // 0 free, n queued as the n-th block, -n played, not reclaimed
    audio::AudioBlock block;
    uint32_t blockIndex = 0;
    uint64_t generation = 0;
  };

  void decodeLoop();
  // The block at the write index may be decoded into: the ring is not full and the device has
  // handed the block back.
  bool writeBlockFree() const;
  // Waits until a block is free, a seek or Stop comes, or (at most) one wait step.
  void waitForFreeBlock();
  // Decodes the frame at the read position into the block at the write index; at a frame that
  // does not decode, goes on at the next sync pattern; at the end of the data, finishes.
  void decodeNextFrame();
  void applySeek();
  // Fills the ring's blocks and the decoder's state for a fresh start of the stream.
  void resetRing();

  void outputLoop();
  // Hands the block at read index `r` to the device (or passes over it when it holds nothing or
  // comes from before a seek) and moves the read index on. False when playing has to end.
  bool passOnBlock(uint32_t r, uint64_t& lastGeneration);
  // Queues the block on the device through a free output header. False when playing has to end.
  bool queueBlock(uint32_t r, uint64_t generation);
  // Once a seek's old blocks are passed over, the device gives back what it holds from the old
  // place.
  void dropOldPlaceAfterSeek(uint64_t& lastGeneration);
  // Decoding has finished, everything decoded was queued and the device played it all.
  bool reachedNaturalEnd();
  // Waits for ready blocks, the end of decoding, or (after it) the device's last blocks.
  void waitForOutputWork();
  // Takes every block back from the device and frees every header.
  void releaseHeaders();
  void finishDecoding();
  // Takes a free output header (waiting while none is) and points it at the block; nothing
  // once the run state is not running or a seek has made the block's generation old.
  audio::AudioBlock* takeFreeHeader(uint32_t blockIndex, uint64_t generation);
  void wakeDecoder();
  void wakeOutput();
  // No header is queued on the device. The caller holds the header mutex.
  bool noHeaderQueued() const;
  bool devicePlayedEverything();
  void onBlockDone(audio::AudioBlock& block);
  void wakeAll();

  std::unique_ptr<audio::AudioOutput> output_;
  MpegDecoder decoder_;
  std::vector<uint8_t> image_;
  StreamInfo info_;

  std::array<Block, kRingBlocks> blocks_;
  std::atomic<uint32_t> writeIndex_{0};
  std::atomic<uint32_t> readIndex_{0};
  std::atomic<size_t> readPos_{0};

  std::mutex headerMutex_;
  std::condition_variable headerFreed_;
  std::array<OutputHeader, kRingBlocks> headers_;
  int64_t queuedCount_ = 0;
  int64_t reclaimedCount_ = 0;

  std::atomic<bool> started_{false};
  std::atomic<bool> paused_{false};
  std::atomic<int> runState_{kRunning};
  std::atomic<bool> decodeDone_{false};
  std::atomic<int64_t> framesDecoded_{0};
  std::atomic<int64_t> framesPlayed_{0};
  std::atomic<uint64_t> generation_{0};  // advanced by every seek
  uint64_t decodeGeneration_ = 0;        // decode thread: the seek its blocks come from

  std::mutex seekMutex_;  // guards the pending seek target
  bool seekPending_ = false;
  size_t seekByte_ = 0;
  int64_t seekFrame_ = 0;
  uint64_t seekGeneration_ = 0;
  std::atomic<bool> seekRequested_{false};

  std::mutex wakeMutex_;
  std::condition_variable decodeWake_;  // the decode thread waits on it
  std::condition_variable outputWake_;  // the output thread waits on it
  std::atomic<bool> decoderWaiting_{false};
  std::atomic<bool> outputWaiting_{false};

  std::function<void()> onEnd_;
  std::function<void(int64_t)> onPlayed_;

  std::thread decodeThread_;
  std::thread outputThread_;
};

}  // namespace norva::preview
