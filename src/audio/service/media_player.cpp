#include "audio/service/media_player.h"

#include <sndfile.h>

#include <algorithm>
#include <cmath>

#include "audio/audio_messages.h"

namespace norva::audio {

// One block of interleaved 16-bit samples (native order, which is the device's little-endian
// order on every platform the suite runs on).
struct MediaPlayer::Block {
  std::vector<int16_t> samples;
  AudioBlock audio;
  int64_t frames = 0;
  uint64_t generation = 0;
  bool queued = false;  // taken by the worker or held by the device
};

struct MediaPlayer::OpenFile {
  struct Closer {
    void operator()(SNDFILE* file) const { sf_close(file); }
  };
  std::unique_ptr<SNDFILE, Closer> handle;
  SF_INFO info{};
};

MediaPlayer::MediaPlayer(std::unique_ptr<AudioOutput> output)
    : output_(std::move(output)), blocks_(kBlocks), worker_([this] { workerLoop(); }) {}

MediaPlayer::~MediaPlayer() {
  run(Command::Quit);
  worker_.join();
}

MediaOpenOutcome MediaPlayer::openAndPlay(const std::filesystem::path& path) {
  std::lock_guard call(callMutex_);
  {
    std::lock_guard lock(mutex_);
    openPath_ = path;
  }
  runLocked(Command::Open);
  std::lock_guard lock(mutex_);
  return openOutcome_;
}

void MediaPlayer::play() {
  run(Command::Play);
}
void MediaPlayer::pause() {
  run(Command::Pause);
}
void MediaPlayer::stop() {
  run(Command::Stop);
}
void MediaPlayer::close() {
  run(Command::Close);
}

void MediaPlayer::setPosition(double seconds) {
  std::lock_guard call(callMutex_);
  {
    std::lock_guard lock(mutex_);
    seekSeconds_ = seconds;
  }
  runLocked(Command::Seek);
}

double MediaPlayer::position() const {
  std::lock_guard lock(mutex_);
  if (sampleRate_ == 0) return 0.0;
  return static_cast<double>(baseFrame_ + framesHeard_) / sampleRate_;
}

double MediaPlayer::duration() const {
  std::lock_guard lock(mutex_);
  if (sampleRate_ == 0) return 0.0;
  return static_cast<double>(totalFrames_) / sampleRate_;
}

MediaPlayState MediaPlayer::playState() const {
  std::lock_guard lock(mutex_);
  return state_;
}

bool MediaPlayer::isOpen() const {
  std::lock_guard lock(mutex_);
  return open_;
}

bool MediaPlayer::endReached() const {
  std::lock_guard lock(mutex_);
  return endReached_;
}

bool MediaPlayer::waitForEnd(std::chrono::milliseconds timeout) const {
  std::unique_lock lock(mutex_);
  return changed_.wait_for(lock, timeout, [&] { return endReached_; });
}

std::string MediaPlayer::errorDescription() const {
  std::lock_guard lock(mutex_);
  return error_;
}

bool MediaPlayer::soundCardPresent() const {
  std::lock_guard lock(mutex_);
  return soundCard_;
}

void MediaPlayer::run(Command command) {
  std::lock_guard call(callMutex_);
  runLocked(command);
}

void MediaPlayer::runLocked(Command command) {
  std::unique_lock lock(mutex_);
  command_ = command;
  const uint64_t done = commandsDone_ + 1;
  changed_.notify_all();
  changed_.wait(lock, [&] { return commandsDone_ >= done; });
}

bool MediaPlayer::workerHasWork() const {
  if (command_ != Command::None) return true;
  if (state_ != MediaPlayState::Playing) return false;
  if (!decodedAll_) return blocksQueued_ < blocks_.size();
  return blocksQueued_ == 0 && !endReached_;
}

void MediaPlayer::workerLoop() {
  std::unique_lock lock(mutex_);
  for (;;) {
    changed_.wait(lock, [&] { return workerHasWork(); });
    if (command_ != Command::None) {
      const Command command = command_;
      lock.unlock();
      execute(command);
      lock.lock();
      command_ = Command::None;
      ++commandsDone_;
      changed_.notify_all();
      if (command == Command::Quit) return;
    } else if (!decodedAll_) {
      size_t index = 0;
      while (blocks_[index].queued) ++index;
      blocks_[index].queued = true;
      ++blocksQueued_;
      lock.unlock();
      decodeBlock(index);
      lock.lock();
    } else {
      lock.unlock();
      finishAtEnd();
      lock.lock();
    }
  }
}

void MediaPlayer::execute(Command command) {
  switch (command) {
    case Command::None:
      break;
    case Command::Open:
      doOpen();
      break;
    case Command::Play: {
      bool fromStart = false;
      {
        std::lock_guard lock(mutex_);
        if (!open_) return;
        fromStart = endReached_;
      }
      if (fromStart) doSeek(0);
      output_->restart();
      std::lock_guard lock(mutex_);
      state_ = MediaPlayState::Playing;
      break;
    }
    case Command::Pause: {
      {
        std::lock_guard lock(mutex_);
        if (state_ != MediaPlayState::Playing) return;
        state_ = MediaPlayState::Paused;
      }
      output_->pause();
      break;
    }
    case Command::Stop: {
      {
        std::lock_guard lock(mutex_);
        if (!open_) return;
        state_ = MediaPlayState::Stopped;
      }
      doSeek(0);
      // A stopped device is not a paused one: Play must only have to start the decoder.
      output_->restart();
      break;
    }
    case Command::Seek: {
      int64_t frame = 0;
      {
        std::lock_guard lock(mutex_);
        if (!open_) return;
        const double wanted = std::round(seekSeconds_ * sampleRate_);
        // NaN and negative positions go to the start, anything past the end to the end.
        if (wanted > 0) {
          frame = wanted < static_cast<double>(totalFrames_) ? static_cast<int64_t>(wanted)
                                                             : totalFrames_;
        }
      }
      doSeek(frame);
      break;
    }
    case Command::Close:
    case Command::Quit:
      doClose();
      break;
  }
}

void MediaPlayer::doOpen() {
  doClose();
  std::filesystem::path path;
  {
    std::lock_guard lock(mutex_);
    path = openPath_;
    error_.clear();
  }
  const std::string name = path.filename().string();
  auto fail = [&](MediaOpenOutcome outcome, std::string why) {
    file_.reset();
    std::lock_guard lock(mutex_);
    openOutcome_ = outcome;
    error_ = std::move(why);
  };

  auto file = std::make_unique<OpenFile>();
  file->handle.reset(sf_open(path.c_str(), SFM_READ, &file->info));
  if (!file->handle) {
    fail(MediaOpenOutcome::CannotDecode, cannotDecodeText(name, sf_strerror(nullptr)));
    return;
  }
  const SF_INFO& info = file->info;
  if (info.channels < 1 || info.channels > 2) {
    fail(MediaOpenOutcome::TooManyChannels, tooManyChannelsText(name, info.channels));
    return;
  }
  if (info.samplerate <= 0) {
    fail(MediaOpenOutcome::CannotDecode, cannotDecodeText(name, "no sampling rate"));
    return;
  }
  const PcmFormat format{static_cast<uint16_t>(info.channels),
                         static_cast<uint32_t>(info.samplerate), 16};
  if (!output_->open(format, [this](AudioBlock& block) { onBlockDone(block); })) {
    fail(MediaOpenOutcome::DeviceRefused,
         deviceRefusedText(name, format.sampleRate, format.channels));
    std::lock_guard lock(mutex_);
    soundCard_ = false;
    return;
  }
  file_ = std::move(file);
  const size_t framesPerBlock = std::max<uint32_t>(1, format.sampleRate / kBlocksPerSecond);
  std::lock_guard lock(mutex_);
  for (Block& block : blocks_) block.samples.assign(framesPerBlock * format.channels, 0);
  soundCard_ = true;
  open_ = true;
  openOutcome_ = MediaOpenOutcome::Playing;
  state_ = MediaPlayState::Playing;
  sampleRate_ = format.sampleRate;
  totalFrames_ = std::max<sf_count_t>(0, info.frames);
  baseFrame_ = 0;
  framesHeard_ = 0;
  decodedAll_ = totalFrames_ == 0;
  endReached_ = false;
}

void MediaPlayer::doClose() {
  {
    std::lock_guard lock(mutex_);
    ++generation_;
    state_ = MediaPlayState::Stopped;
    if (!open_) return;
    open_ = false;
  }
  output_->reset();
  output_->restart();
  output_->close();
  file_.reset();
  std::lock_guard lock(mutex_);
  sampleRate_ = 0;
  totalFrames_ = 0;
  baseFrame_ = 0;
  framesHeard_ = 0;
  decodedAll_ = false;
  endReached_ = false;
}

void MediaPlayer::doSeek(int64_t frame) {
  {
    std::lock_guard lock(mutex_);
    ++generation_;
  }
  output_->reset();  // every queued block comes back, uncounted
  const bool moved = sf_seek(file_->handle.get(), frame, SEEK_SET) >= 0;
  std::lock_guard lock(mutex_);
  if (!moved) {
    error_ = seekFailedText(sf_strerror(file_->handle.get()));
    decodedAll_ = true;
  } else {
    decodedAll_ = frame >= totalFrames_;
  }
  baseFrame_ = frame;
  framesHeard_ = 0;
  endReached_ = false;
}

void MediaPlayer::decodeBlock(size_t index) {
  Block& block = blocks_[index];
  const auto channels = static_cast<size_t>(file_->info.channels);
  const auto wanted = static_cast<sf_count_t>(block.samples.size() / channels);
  const sf_count_t got = sf_readf_short(file_->handle.get(), block.samples.data(), wanted);
  const int readError = got < wanted ? sf_error(file_->handle.get()) : SF_ERR_NO_ERROR;

  uint64_t generation = 0;
  {
    std::lock_guard lock(mutex_);
    generation = generation_;
    if (got < wanted) decodedAll_ = true;
    if (readError != SF_ERR_NO_ERROR) error_ = readFailedText(sf_error_number(readError));
    if (got <= 0) {
      block.queued = false;
      --blocksQueued_;
      changed_.notify_all();
      return;
    }
    block.frames = got;
    block.generation = generation;
  }
  const auto* bytes = reinterpret_cast<const uint8_t*>(block.samples.data());
  block.audio.data =
      std::span<const uint8_t>(bytes, static_cast<size_t>(got) * channels * sizeof(int16_t));
  block.audio.user = index;
  if (!output_->write(block.audio)) {
    std::lock_guard lock(mutex_);
    block.queued = false;
    --blocksQueued_;
    decodedAll_ = true;
    changed_.notify_all();
  }
}

void MediaPlayer::finishAtEnd() {
  uint64_t generation = 0;
  {
    std::lock_guard lock(mutex_);
    generation = generation_;
  }
  output_->drain();  // what the device itself still holds is heard too
  std::lock_guard lock(mutex_);
  if (generation != generation_ || state_ != MediaPlayState::Playing) return;
  state_ = MediaPlayState::Stopped;
  endReached_ = true;
  changed_.notify_all();
}

void MediaPlayer::onBlockDone(AudioBlock& done) {
  std::lock_guard lock(mutex_);
  Block& block = blocks_[done.user];
  if (block.generation == generation_) framesHeard_ += block.frames;
  block.queued = false;
  --blocksQueued_;
  changed_.notify_all();
}

}  // namespace norva::audio
