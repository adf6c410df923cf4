#pragma once
// MediaPlayer: the editor's audio clock. It decodes a WAV, AIFF, AU or MP3 file with libsndfile
// on one worker thread and plays it through an AudioOutput. The operations are the ones the
// sync commands need: open and play, play, pause, stop, the position in seconds (read and set),
// the play state, the error text of the last failure and whether a sound device is there.
//
// The position is what has been heard: the frames of the blocks the device has reported played,
// counted from the last seek, never what has merely been decoded.
//
// Every device call runs on the worker thread; the caller's operations hand it a command and
// wait until it is done, so a position set is read back at once. The done callback only counts
// frames and frees blocks under the player's lock.
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "audio/audio_output.h"
#include "audio/media_playback.h"

namespace norva::audio {

class MediaPlayer : public MediaPlayback {
 public:
  // Blocks in flight between the decoder and the device, and the length of each: a hundredth
  // of a second, so the heard position moves in steps of 10 ms.
  static constexpr size_t kBlocks = 16;
  static constexpr uint32_t kBlocksPerSecond = 100;

  explicit MediaPlayer(std::unique_ptr<AudioOutput> output);
  ~MediaPlayer() override;
  MediaPlayer(const MediaPlayer&) = delete;
  MediaPlayer& operator=(const MediaPlayer&) = delete;

  MediaOpenOutcome openAndPlay(const std::filesystem::path& path) override;
  void play() override;
  void pause() override;
  void stop() override;
  void close() override;
  double position() const override;
  void setPosition(double seconds) override;
  double duration() const override;
  MediaPlayState playState() const override;
  bool isOpen() const override;
  bool endReached() const override;
  // Waits until the end is reached or `timeout` passes; true when it was reached.
  bool waitForEnd(std::chrono::milliseconds timeout) const;
  std::string errorDescription() const override;
  bool soundCardPresent() const override;

 private:
  struct Block;
  struct OpenFile;
  enum class Command { None, Open, Play, Pause, Stop, Seek, Close, Quit };

  // Hands a command to the worker and waits until it is carried out.
  void run(Command command);
  // The same, for a caller that already holds callMutex_.
  void runLocked(Command command);
  void workerLoop();
  // The worker has something to do. Caller holds mutex_.
  bool workerHasWork() const;
  void execute(Command command);
  void doOpen();
  void doClose();
  // Moves the file and the heard position to `frame`; drops what the device holds.
  void doSeek(int64_t frame);
  // Fills a free block from the file and queues it; notes the end of the data.
  void decodeBlock(size_t index);
  void finishAtEnd();
  void onBlockDone(AudioBlock& block);

  std::unique_ptr<AudioOutput> output_;
  std::unique_ptr<OpenFile> file_;  // worker thread only (and the constructor/destructor)
  std::vector<Block> blocks_;

  mutable std::mutex callMutex_;  // one caller command at a time
  mutable std::mutex mutex_;
  mutable std::condition_variable changed_;
  Command command_ = Command::None;
  uint64_t commandsDone_ = 0;
  std::filesystem::path openPath_;
  double seekSeconds_ = 0;
  MediaOpenOutcome openOutcome_ = MediaOpenOutcome::CannotDecode;

  bool open_ = false;
  MediaPlayState state_ = MediaPlayState::Stopped;
  bool decodedAll_ = false;
  bool endReached_ = false;
  uint32_t sampleRate_ = 0;
  int64_t totalFrames_ = 0;
  int64_t baseFrame_ = 0;    // where the last seek put the file
  int64_t framesHeard_ = 0;  // played since then
  uint64_t generation_ = 0;  // advanced by every seek and close; older blocks are not counted
  size_t blocksQueued_ = 0;
  std::string error_;
  bool soundCard_ = true;

  std::thread worker_;
};

}  // namespace norva::audio
