#include "preview/service/mpeg_player.h"

#include <algorithm>
#include <chrono>

#include "base/service/file_io.h"
#include "preview/device_volume.h"
#include "preview/preview_messages.h"

namespace norva::preview {
namespace {

using namespace std::chrono_literals;

std::atomic<int> gLiveEngines{0};

// Waits used where the other side may not signal (a device that never reports back); every
// change the threads make is also signalled, so these only bound a wait.
constexpr auto kWaitStep = 100ms;

// Ready blocks that make the decode thread wake the output thread.
constexpr uint32_t kWakeBatch = 8;

// The first sync pattern after `pos`, up to the end of the image.
std::optional<size_t> nextSync(std::span<const uint8_t> image, size_t pos) {
  for (size_t q = pos + 1; q + 1 < image.size(); ++q)
    if (isSyncAt(image, q)) return q;
  return std::nullopt;
}

}  // namespace

const char* toString(OpenOutcome outcome) {
  switch (outcome) {
    case OpenOutcome::Opened:
      return kOpenedText;
    case OpenOutcome::AnotherEngine:
      return kAnotherEngineText;
    case OpenOutcome::CannotRead:
      return kCannotReadText;
    case OpenOutcome::NoStream:
      return kNoStreamText;
    case OpenOutcome::DecoderRefused:
      return kDecoderRefusedText;
    case OpenOutcome::DeviceRefused:
      return kDeviceRefusedText;
  }
  return "unknown open outcome";
}

MpegPlayer::MpegPlayer(std::unique_ptr<audio::AudioOutput> output) : output_(std::move(output)) {
  ++gLiveEngines;
}

MpegPlayer::~MpegPlayer() {
  stop();
  --gLiveEngines;
}

int MpegPlayer::liveEngines() {
  return gLiveEngines.load();
}

OpenOutcome MpegPlayer::open(const std::filesystem::path& path, int startThousandths) {
  if (gLiveEngines.load() > 1) return OpenOutcome::AnotherEngine;
  auto read = readWholeFile(path);
  if (read.status != ReadResult::Status::Ok) return OpenOutcome::CannotRead;
  return openImage(std::move(read.bytes), startThousandths);
}

OpenOutcome MpegPlayer::openImage(std::vector<uint8_t> image, int startThousandths) {
  if (gLiveEngines.load() > 1) return OpenOutcome::AnotherEngine;
  if (started_) stop();
  image_ = std::move(image);
  readPos_ = 0;
  const auto info = analyseStream(image_);
  if (!info) return OpenOutcome::NoStream;
  info_ = *info;
  if (!decoder_.init(info_.header)) return OpenOutcome::DecoderRefused;
  resetRing();
  if (startThousandths > 0) {
    const auto [frame, byte] = seekTarget(info_, image_.size(), startThousandths);
    readPos_ = byte;
    framesDecoded_ = frame;
    framesPlayed_ = frame;
  }

  const auto format = decoder_.format();
  const audio::PcmFormat pcm{static_cast<uint16_t>(format.channels), format.sampleRate,
                             static_cast<uint16_t>(format.bitsPerSample)};
  if (!output_->open(pcm, [this](audio::AudioBlock& block) { onBlockDone(block); }))
    return OpenOutcome::DeviceRefused;
  started_ = true;
  outputThread_ = std::thread([this] { outputLoop(); });
  decodeThread_ = std::thread([this] { decodeLoop(); });
  return OpenOutcome::Opened;
}

void MpegPlayer::resetRing() {
  const size_t blockSize = decoder_.blockSize();
  for (auto& block : blocks_) {
    if (block.pcm.size() != blockSize) block.pcm.assign(blockSize, 0);
    block.length = 0;
    block.generation = 0;
    block.state = kFree;
  }
  for (auto& header : headers_) header = OutputHeader{};
  queuedCount_ = reclaimedCount_ = 0;
  writeIndex_ = 0;
  readIndex_ = 0;
  readPos_ = info_.audioOffset;
  runState_ = kRunning;
  decodeDone_ = false;
  paused_ = false;
  framesDecoded_ = 0;
  framesPlayed_ = 0;
  generation_ = 0;
  decodeGeneration_ = 0;
  {
    std::lock_guard lock(seekMutex_);
    seekPending_ = false;
    seekGeneration_ = 0;
  }
  seekRequested_ = false;
}

void MpegPlayer::pause() {
  if (!started_ || paused_) return;
  output_->pause();
  paused_ = true;
}

void MpegPlayer::resume() {
  if (!started_ || !paused_) return;
  output_->restart();
  paused_ = false;
}

void MpegPlayer::stop() {
  if (!started_) return;
  paused_ = false;
  int expected = kRunning;
  runState_.compare_exchange_strong(expected, kStopRequested);
  if (expected == kEndOfData) runState_ = kStopRequested;
  wakeAll();
  if (decodeThread_.joinable()) decodeThread_.join();
  if (outputThread_.joinable()) outputThread_.join();
  // The output thread has reset the device; close it, retrying while it still plays.
  for (int tries = 0; tries < 100; ++tries) {
    output_->reset();
    if (output_->close()) break;
    std::this_thread::sleep_for(50ms);
  }
  started_ = false;
}

int MpegPlayer::position() const {
  const int64_t total = info_.totalFrames;
  if (!started_ || total <= 0) return 0;
  const int64_t played = std::clamp<int64_t>(framesPlayed_.load(), 0, total);
  return static_cast<int>((2 * played * 1000 + total) / (2 * total));
}

void MpegPlayer::seek(int thousandths) {
  if (!started_) return;
  const auto [frame, byte] = seekTarget(info_, image_.size(), thousandths);
  {
    std::lock_guard lock(seekMutex_);
    seekPending_ = true;
    seekByte_ = byte;
    seekFrame_ = frame;
    // From now on blocks of older generations are neither played nor counted.
    seekGeneration_ = generation_.fetch_add(1) + 1;
  }
  framesDecoded_ = frame;
  framesPlayed_ = frame;
  seekRequested_ = true;
  wakeAll();
}

int MpegPlayer::volume() const {
  return percentOfDeviceLevel(output_->volume());
}

void MpegPlayer::setVolume(int percent) {
  output_->setVolume(deviceLevelFor(percent));
}

void MpegPlayer::wakeAll() {
  { std::lock_guard lock(wakeMutex_); }
  decodeWake_.notify_all();
  outputWake_.notify_all();
  { std::lock_guard lock(headerMutex_); }
  headerFreed_.notify_all();
}

void MpegPlayer::applySeek() {
  size_t byte = 0;
  int64_t frame = 0;
  {
    std::lock_guard lock(seekMutex_);
    if (!seekPending_) return;
    seekPending_ = false;
    byte = seekByte_;
    frame = seekFrame_;
    // Blocks decoded before the seek keep their older generation: the output thread drops
    // them and resets the device before queuing the first block from the new place.
    decodeGeneration_ = seekGeneration_;
  }
  seekRequested_ = false;
  readPos_ = byte;
  framesDecoded_ = frame;
  framesPlayed_ = frame;
  decoder_.init(info_.header);
  decodeDone_ = false;
}

void MpegPlayer::finishDecoding() {
  decodeDone_ = true;
  wakeOutput();
}

// A thread about to wait sets its flag under the wake mutex before it tests its condition; a
// thread that changed that condition looks at the flag afterwards and, only when it is set,
// passes through the mutex and notifies. No wake-up is lost, and none is spent on a thread that
// is busy anyway.
void MpegPlayer::wakeDecoder() {
  if (!decoderWaiting_.load()) return;
  { std::lock_guard lock(wakeMutex_); }
  decodeWake_.notify_all();
}

void MpegPlayer::wakeOutput() {
  if (!outputWaiting_.load()) return;
  { std::lock_guard lock(wakeMutex_); }
  outputWake_.notify_all();
}

void MpegPlayer::decodeLoop() {
  while (runState_.load() == kRunning) {
    if (seekRequested_.load()) applySeek();
    if (decodeDone_.load() || !writeBlockFree()) {
      waitForFreeBlock();
      continue;
    }
    decodeNextFrame();
  }
}

bool MpegPlayer::writeBlockFree() const {
  const uint32_t w = writeIndex_.load();
  return (w + 1) % kRingBlocks != readIndex_.load() && blocks_[w].state.load() == kFree;
}

void MpegPlayer::waitForFreeBlock() {
  wakeOutput();
  std::unique_lock lock(wakeMutex_);
  decoderWaiting_ = true;
  decodeWake_.wait_for(lock, kWaitStep, [&] {
    if (runState_.load() != kRunning || seekRequested_.load()) return true;
    return !decodeDone_.load() && writeBlockFree();
  });
  decoderWaiting_ = false;
}

void MpegPlayer::decodeNextFrame() {
  const std::span<const uint8_t> image(image_);
  const size_t pos = readPos_.load();
  if (pos + 4 > image.size()) {
    finishDecoding();
    return;
  }
  const uint32_t w = writeIndex_.load();
  Block& block = blocks_[w];
  const auto result = decoder_.decodeFrame(image.subspan(pos), block.pcm);
  if (result.inputUsed > 0) {
    block.length = result.outputBytes;
    block.generation = decodeGeneration_;
    block.state = kReady;
    readPos_ = pos + result.inputUsed;
    framesDecoded_.fetch_add(1);
    const uint32_t next = (w + 1) % kRingBlocks;
    writeIndex_ = next;
    // The output thread is woken for a batch of blocks, not for each one: it queues all
    // that are ready at once. It is also woken whenever this thread is about to wait.
    if ((next + kRingBlocks - readIndex_.load()) % kRingBlocks >= kWakeBatch) wakeOutput();
    return;
  }
  // Not decodable here: go on at the next sync pattern with a fresh decoder. The last
  // bytes of the file are decoded as long as they hold a whole frame.
  const auto next = nextSync(image, pos);
  if (!next || !decoder_.init(info_.header)) {
    finishDecoding();
    return;
  }
  readPos_ = *next;
}

audio::AudioBlock* MpegPlayer::takeFreeHeader(uint32_t blockIndex, uint64_t generation) {
  std::unique_lock lock(headerMutex_);
  for (;;) {
    if (runState_.load() != kRunning || generation != generation_.load()) return nullptr;
    std::optional<size_t> found;
    for (size_t i = 0; i < kRingBlocks; ++i) {
      auto& header = headers_[i];
      // Headers come back in the order they were played and are reclaimed in that order.
      if (header.sequence < 0 && header.sequence == -(reclaimedCount_ + 1)) {
        header.sequence = 0;
        ++reclaimedCount_;
      }
      if (header.sequence == 0) {
        found = i;
        break;
      }
    }
    if (found) {
      auto& header = headers_[*found];
      header.sequence = ++queuedCount_;
      const Block& block = blocks_[blockIndex];
      header.block = audio::AudioBlock{std::span<const uint8_t>(block.pcm.data(), block.length),
                                       static_cast<uintptr_t>(*found)};
      header.blockIndex = blockIndex;
      header.generation = generation;
      return &header.block;
    }
    headerFreed_.wait_for(lock, kWaitStep);
  }
}

bool MpegPlayer::noHeaderQueued() const {
  return std::none_of(headers_.begin(), headers_.end(),
                      [](const OutputHeader& h) { return h.sequence > 0; });
}

bool MpegPlayer::devicePlayedEverything() {
  std::lock_guard lock(headerMutex_);
  return noHeaderQueued();
}

void MpegPlayer::onBlockDone(audio::AudioBlock& done) {
  uint32_t blockIndex = 0;
  bool current = false;
  {
    std::lock_guard lock(headerMutex_);
    auto& header = headers_[done.user];
    header.sequence = -header.sequence;
    blockIndex = header.blockIndex;
    current = header.generation == generation_.load();
  }
  headerFreed_.notify_all();
  int64_t played = 0;
  if (current) played = framesPlayed_.fetch_add(1) + 1;
  blocks_[blockIndex].state = kFree;
  wakeDecoder();
  if (current && onPlayed_) onPlayed_(played);
}

void MpegPlayer::outputLoop() {
  uint64_t lastGeneration = 0;
  while (runState_.load() == kRunning) {
    const uint32_t r = readIndex_.load();
    if (r != writeIndex_.load()) {
      if (!passOnBlock(r, lastGeneration)) break;
      continue;
    }
    dropOldPlaceAfterSeek(lastGeneration);
    if (reachedNaturalEnd()) {
      output_->drain();
      int expected = kRunning;
      runState_.compare_exchange_strong(expected, kEndOfData);
      break;
    }
    waitForOutputWork();
  }
  releaseHeaders();
  if (runState_.load() == kEndOfData && onEnd_) onEnd_();
}

bool MpegPlayer::passOnBlock(uint32_t r, uint64_t& lastGeneration) {
  Block& block = blocks_[r];
  const uint64_t generation = block.generation;
  const bool stale = generation != generation_.load();
  if (!stale && generation != lastGeneration) {
    // First block after a seek: what the device still holds is from the old place.
    output_->reset();
    lastGeneration = generation;
  }
  if (stale) {
    block.state = kFree;
  } else if (block.length == 0) {
    // A frame that decoded to nothing still counts as played.
    const int64_t played = framesPlayed_.fetch_add(1) + 1;
    if (onPlayed_) onPlayed_(played);
    block.state = kFree;
  } else if (!queueBlock(r, generation)) {
    return false;
  }
  readIndex_ = (r + 1) % kRingBlocks;
  wakeDecoder();
  return true;
}

bool MpegPlayer::queueBlock(uint32_t r, uint64_t generation) {
  Block& block = blocks_[r];
  block.state = kQueued;
  audio::AudioBlock* queued = takeFreeHeader(r, generation);
  if (queued == nullptr) {
    if (runState_.load() != kRunning) return false;
    // A seek made the block stale while it waited for a header.
    block.state = kFree;
    return true;
  }
  output_->write(*queued);
  return true;
}

void MpegPlayer::dropOldPlaceAfterSeek(uint64_t& lastGeneration) {
  if (readIndex_.load() == writeIndex_.load() && lastGeneration != generation_.load()) {
    // After a seek, once the old blocks are passed over: what the device holds is from the
    // old place. Handing it back now also frees those blocks for the decode thread.
    lastGeneration = generation_.load();
    output_->reset();
  }
}

bool MpegPlayer::reachedNaturalEnd() {
  // The decode thread's flag is read before the indices.
  return decodeDone_.load() && readIndex_.load() == writeIndex_.load() && devicePlayedEverything();
}

void MpegPlayer::waitForOutputWork() {
  std::unique_lock lock(wakeMutex_);
  outputWaiting_ = true;
  outputWake_.wait_for(lock, kWaitStep, [&] {
    return runState_.load() != kRunning || readIndex_.load() != writeIndex_.load() ||
           decodeDone_.load();
  });
  outputWaiting_ = false;
  if (decodeDone_.load() && readIndex_.load() == writeIndex_.load()) {
    // Waiting for the device to hand back its last blocks.
    lock.unlock();
    std::unique_lock headerLock(headerMutex_);
    headerFreed_.wait_for(headerLock, kWaitStep,
                          [&] { return runState_.load() != kRunning || noHeaderQueued(); });
  }
}

void MpegPlayer::releaseHeaders() {
  output_->reset();
  std::lock_guard lock(headerMutex_);
  for (auto& header : headers_) header.sequence = 0;
  queuedCount_ = reclaimedCount_ = 0;
}

}  // namespace norva::preview
