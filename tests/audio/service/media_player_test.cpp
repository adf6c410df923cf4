// The media player on the null device, stepped one block at a time: the position is what the
// device has played, pause holds it, a seek moves both the position and the sound, the end is
// reported, and files that are not audio give an error text instead of playing.
#include "audio/service/media_player.h"

#include <gtest/gtest.h>
#include <sndfile.h>

#include <cmath>
#include <fstream>
#include <limits>
#include <mutex>

#include "audio/borrowed_output.h"
#include "audio/null_output.h"
#include "test_support/temp_dir.h"

namespace norva::audio {
namespace {

using namespace std::chrono_literals;
constexpr auto kPatience = 20s;  // only reached when something is broken

// A WAV file of `frames` 16-bit frames at 44,100 Hz; each frame's first sample is its frame
// number halved, the others 0, so a played sample tells where in the file it came from.
void writeCountingWav(const std::filesystem::path& path, int frames, int channels = 2,
                      int format = SF_FORMAT_WAV | SF_FORMAT_PCM_16) {
  SF_INFO info{};
  info.samplerate = 44100;
  info.channels = channels;
  info.format = format;
  SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
  ASSERT_NE(file, nullptr) << sf_strerror(nullptr);
  std::vector<int16_t> samples(static_cast<size_t>(frames * channels), 0);
  for (int f = 0; f < frames; ++f) samples[static_cast<size_t>(f * channels)] = int16_t(f / 2);
  ASSERT_EQ(sf_writef_short(file, samples.data(), frames), frames);
  sf_close(file);
}

// First sample of every block the device played.
class PlayedLog {
 public:
  NullOutput::Recorder recorder() {
    return [this](std::span<const uint8_t> pcm) {
      std::lock_guard lock(mutex_);
      firstSamples_.push_back(static_cast<int16_t>(pcm[0] | pcm[1] << 8));
    };
  }
  std::vector<int16_t> firstSamples() {
    std::lock_guard lock(mutex_);
    return firstSamples_;
  }

 private:
  std::mutex mutex_;
  std::vector<int16_t> firstSamples_;
};

// A sound device that never opens.
class RefusingOutput : public AudioOutput {
 public:
  bool open(const PcmFormat&, DoneCallback) override { return false; }
  bool write(AudioBlock&) override { return false; }
  void pause() override {}
  void restart() override {}
  void reset() override {}
  void drain() override {}
  bool close() override { return true; }
  void setVolume(uint32_t) override {}
  uint32_t volume() const override { return kFullVolume; }
  std::string name() const override { return "refusing"; }
};

class MediaPlayerTest : public ::testing::Test {
 protected:
  MediaPlayerTest() {
    wav_ = dir_.path() / "count.wav";
    writeCountingWav(wav_, 44100);  // one second: 100 blocks of 441 frames
    device_.setRecorder(played_.recorder());
  }

  // Lets `count` more blocks play and waits until the device has reported them.
  void playBlocks(uint64_t count) {
    const uint64_t target = device_.blocksReported() + count;
    device_.allowBlocks(count);
    ASSERT_TRUE(device_.waitForBlocksReported(target, kPatience));
  }

  TempDir dir_;
  std::filesystem::path wav_;
  PlayedLog played_;
  NullOutput device_{NullOutput::Pace::Stepped};  // outlives the player
  MediaPlayer player_{std::make_unique<BorrowedOutput>(device_)};
};

TEST_F(MediaPlayerTest, PositionIsWhatTheDeviceHasPlayed) {
  ASSERT_EQ(player_.openAndPlay(wav_), MediaOpenOutcome::Playing);
  EXPECT_EQ(player_.playState(), MediaPlayState::Playing);
  EXPECT_DOUBLE_EQ(player_.duration(), 1.0);
  EXPECT_EQ(player_.position(), 0.0);
  EXPECT_TRUE(player_.errorDescription().empty());
  EXPECT_TRUE(player_.soundCardPresent());

  playBlocks(10);
  // The decoder is up to 16 blocks ahead; the position counts only the 10 heard.
  EXPECT_DOUBLE_EQ(player_.position(), 0.1);
  EXPECT_EQ(device_.framesPlayed(), 4410u);
  playBlocks(1);
  EXPECT_DOUBLE_EQ(player_.position(), 0.11);
}

TEST_F(MediaPlayerTest, PauseHoldsThePositionAndPlayGoesOn) {
  ASSERT_EQ(player_.openAndPlay(wav_), MediaOpenOutcome::Playing);
  playBlocks(5);
  player_.pause();
  EXPECT_EQ(player_.playState(), MediaPlayState::Paused);
  EXPECT_TRUE(device_.isPaused());
  // A block the device had already started may finish; nothing after it plays while paused.
  device_.allowBlocks(3);
  EXPECT_FALSE(device_.waitForBlocksReported(7, 200ms));
  const double held = player_.position();
  EXPECT_TRUE(held == 0.05 || held == 0.06) << held;

  player_.play();
  EXPECT_EQ(player_.playState(), MediaPlayState::Playing);
  ASSERT_TRUE(device_.waitForBlocksReported(8, kPatience));
  EXPECT_DOUBLE_EQ(player_.position(), 0.08);
  // The sound went on where it stopped: blocks 0..7 start at frames 0, 441, ... 3087.
  const std::vector<int16_t> expected{0, 220, 441, 661, 882, 1102, 1323, 1543};
  EXPECT_EQ(played_.firstSamples(), expected);
}

TEST_F(MediaPlayerTest, SeekMovesThePositionAndTheSound) {
  ASSERT_EQ(player_.openAndPlay(wav_), MediaOpenOutcome::Playing);
  playBlocks(3);
  player_.setPosition(0.5);
  EXPECT_DOUBLE_EQ(player_.position(), 0.5);
  playBlocks(2);
  EXPECT_DOUBLE_EQ(player_.position(), 0.52);
  // Frames 22050 and 22491 begin the two blocks heard after the seek.
  const auto samples = played_.firstSamples();
  ASSERT_EQ(samples.size(), 5u);
  EXPECT_EQ(samples[3], 11025);
  EXPECT_EQ(samples[4], 11245);
}

TEST_F(MediaPlayerTest, SeekWhilePausedStaysPaused) {
  ASSERT_EQ(player_.openAndPlay(wav_), MediaOpenOutcome::Playing);
  player_.pause();
  player_.setPosition(0.25);
  EXPECT_EQ(player_.playState(), MediaPlayState::Paused);
  EXPECT_DOUBLE_EQ(player_.position(), 0.25);
  player_.play();
  playBlocks(1);
  EXPECT_DOUBLE_EQ(player_.position(), 0.26);
}

// The seek target is clamped to the file: a second of 44,100 frames.
TEST_F(MediaPlayerTest, SeekTargetsAreKeptInsideTheFile) {
  struct Row {
    double seconds;
    double expected;
  };
  const Row rows[] = {
      {-1.0 / 44100, 0.0},
      {0.0, 0.0},
      {1.0 / 44100, 1.0 / 44100},
      {44099.0 / 44100, 44099.0 / 44100},
      {1.0, 1.0},
      {44101.0 / 44100, 1.0},
      {-5.0, 0.0},
      {3600.0, 1.0},
      {std::numeric_limits<double>::quiet_NaN(), 0.0},
  };
  ASSERT_EQ(player_.openAndPlay(wav_), MediaOpenOutcome::Playing);
  player_.pause();
  for (const Row& row : rows) {
    player_.setPosition(row.seconds);
    EXPECT_DOUBLE_EQ(player_.position(), row.expected) << row.seconds;
  }
}

TEST_F(MediaPlayerTest, TheEndIsReportedAndPlayStartsAgain) {
  ASSERT_EQ(player_.openAndPlay(wav_), MediaOpenOutcome::Playing);
  device_.allowBlocks(100);  // exactly the file: none left over for the second start
  ASSERT_TRUE(player_.waitForEnd(kPatience));
  EXPECT_EQ(player_.playState(), MediaPlayState::Stopped);
  EXPECT_DOUBLE_EQ(player_.position(), 1.0);
  EXPECT_EQ(device_.blocksReported(), 100u);
  EXPECT_TRUE(player_.isOpen());

  player_.play();
  EXPECT_FALSE(player_.endReached());
  EXPECT_EQ(player_.playState(), MediaPlayState::Playing);
  EXPECT_EQ(player_.position(), 0.0);
  playBlocks(1);
  EXPECT_DOUBLE_EQ(player_.position(), 0.01);
  EXPECT_EQ(played_.firstSamples().at(100), 0);
}

TEST_F(MediaPlayerTest, SeekToTheEndEndsPlaying) {
  ASSERT_EQ(player_.openAndPlay(wav_), MediaOpenOutcome::Playing);
  player_.setPosition(1.0);
  ASSERT_TRUE(player_.waitForEnd(kPatience));
  EXPECT_DOUBLE_EQ(player_.position(), 1.0);
}

TEST_F(MediaPlayerTest, StopAndCloseAreSafeFromEveryState) {
  enum class Start { NothingOpen, Playing, Paused, Stopped, Ended, Closed, Failed };
  for (Start start : {Start::NothingOpen, Start::Playing, Start::Paused, Start::Stopped,
                      Start::Ended, Start::Closed, Start::Failed}) {
    SCOPED_TRACE(static_cast<int>(start));
    MediaPlayer player(std::make_unique<BorrowedOutput>(device_));
    const bool opens = start != Start::NothingOpen && start != Start::Failed;
    if (opens) {
      ASSERT_EQ(player.openAndPlay(wav_), MediaOpenOutcome::Playing);
    }
    if (start == Start::Failed) player.openAndPlay(dir_.path() / "missing.wav");
    if (start == Start::Paused) player.pause();
    if (start == Start::Stopped) player.stop();
    if (start == Start::Closed) player.close();
    if (start == Start::Ended) {
      device_.allowBlocks(100);
      ASSERT_TRUE(player.waitForEnd(kPatience));
    }

    player.stop();
    EXPECT_EQ(player.playState(), MediaPlayState::Stopped);
    EXPECT_EQ(player.position(), 0.0);
    EXPECT_EQ(player.isOpen(), opens && start != Start::Closed);
    EXPECT_FALSE(device_.isPaused());
    player.stop();
    player.close();
    player.close();
    EXPECT_FALSE(player.isOpen());
    EXPECT_FALSE(device_.isOpen());
    player.play();
    player.pause();
    player.setPosition(0.5);
    EXPECT_EQ(player.playState(), MediaPlayState::Stopped);
    EXPECT_EQ(player.position(), 0.0);
  }
}

TEST_F(MediaPlayerTest, StopGoesToTheStartAndPlayStartsThere) {
  ASSERT_EQ(player_.openAndPlay(wav_), MediaOpenOutcome::Playing);
  playBlocks(4);
  player_.stop();
  EXPECT_EQ(player_.position(), 0.0);
  EXPECT_EQ(player_.playState(), MediaPlayState::Stopped);
  player_.play();
  playBlocks(1);
  EXPECT_DOUBLE_EQ(player_.position(), 0.01);
  EXPECT_EQ(played_.firstSamples().back(), 0);
}

TEST_F(MediaPlayerTest, FilesThatDoNotPlayGiveAnErrorText) {
  const auto text = dir_.path() / "notes.wav";
  std::ofstream(text) << "These are words, not sound.\n";
  const auto surround = dir_.path() / "surround.wav";
  writeCountingWav(surround, 100, 3);

  struct Row {
    std::filesystem::path path;
    MediaOpenOutcome outcome;
    std::string error;
  };
  const Row rows[] = {
      {text, MediaOpenOutcome::CannotDecode, "Cannot play \"notes.wav\": Format not recognised."},
      {dir_.path() / "missing.mp3", MediaOpenOutcome::CannotDecode,
       "Cannot play \"missing.mp3\": System error : No such file or directory."},
      {surround, MediaOpenOutcome::TooManyChannels,
       "Cannot play \"surround.wav\": it has 3 channels; only mono and stereo sound is played."},
  };
  for (const Row& row : rows) {
    // A file that plays first: the failed open closes it.
    ASSERT_EQ(player_.openAndPlay(wav_), MediaOpenOutcome::Playing);
    EXPECT_EQ(player_.openAndPlay(row.path), row.outcome) << row.path;
    EXPECT_EQ(player_.errorDescription(), row.error);
    EXPECT_EQ(player_.playState(), MediaPlayState::Stopped);
    EXPECT_FALSE(player_.isOpen());
    EXPECT_EQ(player_.position(), 0.0);
    EXPECT_TRUE(player_.soundCardPresent());
  }
  // The next file that plays clears the text.
  ASSERT_EQ(player_.openAndPlay(wav_), MediaOpenOutcome::Playing);
  EXPECT_TRUE(player_.errorDescription().empty());
}

TEST(MediaPlayerDevice, ADeviceThatDoesNotOpenMeansNoSoundCard) {
  TempDir dir;
  const auto wav = dir.path() / "tone.wav";
  writeCountingWav(wav, 441);
  MediaPlayer player(std::make_unique<RefusingOutput>());
  EXPECT_EQ(player.openAndPlay(wav), MediaOpenOutcome::DeviceRefused);
  EXPECT_FALSE(player.soundCardPresent());
  EXPECT_EQ(player.errorDescription(),
            "The sound device does not play \"tone.wav\" (44100 Hz, 2 channels).");
  EXPECT_EQ(player.playState(), MediaPlayState::Stopped);
  EXPECT_FALSE(player.isOpen());
}

// Each container libsndfile writes, in its own byte order, plays the same samples.
TEST(MediaPlayerFormats, WavAiffAndAuPlayTheSameSound) {
  struct Row {
    const char* name;
    int format;
  };
  const Row rows[] = {
      {"count.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16},
      {"count.aiff", SF_FORMAT_AIFF | SF_FORMAT_PCM_16},
      {"count.au", SF_FORMAT_AU | SF_FORMAT_PCM_16},
      {"count24.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_24},
  };
  TempDir dir;
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    writeCountingWav(dir.path() / row.name, 1323, 1, row.format);  // three blocks, mono
    PlayedLog played;
    NullOutput device(NullOutput::Pace::Stepped);
    device.setRecorder(played.recorder());
    MediaPlayer player(std::make_unique<BorrowedOutput>(device));
    ASSERT_EQ(player.openAndPlay(dir.path() / row.name), MediaOpenOutcome::Playing)
        << player.errorDescription();
    device.allowBlocks(3);
    ASSERT_TRUE(player.waitForEnd(kPatience));
    EXPECT_DOUBLE_EQ(player.position(), 0.03);
    const std::vector<int16_t> expected{0, 220, 441};
    EXPECT_EQ(played.firstSamples(), expected);
  }
}

// The fixture files through libsndfile's MP3 reader: position advances by what is heard and
// the end comes at the decoded length.
struct Mp3Case {
  const char* file;
  uint32_t rate;
  double seconds;       // the length the file's header gives: frames / rate
  double heardSeconds;  // what decoding it gives, which for a file without a frame count
                        // is shorter than the estimate
};

class MediaPlayerMp3 : public ::testing::TestWithParam<Mp3Case> {};

TEST_P(MediaPlayerMp3, PlaysToTheEnd) {
  const Mp3Case& c = GetParam();
  NullOutput device(NullOutput::Pace::Stepped);
  MediaPlayer player(std::make_unique<BorrowedOutput>(device));
  ASSERT_EQ(player.openAndPlay(std::filesystem::path(NORVA_TEST_DATA_DIR) / "audio" / c.file),
            MediaOpenOutcome::Playing)
      << player.errorDescription();
  EXPECT_DOUBLE_EQ(player.duration(), c.seconds);
  device.allowBlocks(10);
  ASSERT_TRUE(device.waitForBlocksReported(10, kPatience));
  EXPECT_DOUBLE_EQ(player.position(), 10.0 * (c.rate / 100) / c.rate);

  player.setPosition(c.heardSeconds - 0.5);
  device.allowBlocks(100);
  ASSERT_TRUE(player.waitForEnd(kPatience));
  EXPECT_DOUBLE_EQ(player.position(), c.heardSeconds);
  EXPECT_TRUE(player.errorDescription().empty());
}

INSTANTIATE_TEST_SUITE_P(Fixtures, MediaPlayerMp3,
                         ::testing::Values(Mp3Case{"song_cn_speech_44k1_stereo_cbr128.mp3", 44100,
                                                   846722.0 / 44100, 846722.0 / 44100},
                                           Mp3Case{"tone440_44k1_mono_cbr64_noinfo.mp3", 44100,
                                                   223382.0 / 44100, 222336.0 / 44100},
                                           Mp3Case{"sweep_22k05_stereo_vbr_xing.mp3", 22050,
                                                   176400.0 / 22050, 176400.0 / 22050}));

}  // namespace
}  // namespace norva::audio
