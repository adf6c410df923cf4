#include "preview/service/mpeg_player.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "base/service/file_io.h"
#include "preview/lyric_body.h"
#include "preview/service/engine_test_support.h"
#include "preview/service/reference_decode.h"
#include "preview/synthetic_stream.h"

namespace norva::preview {

// Failures name the outcome, not its number.
void PrintTo(OpenOutcome outcome, std::ostream* out) {
  *out << toString(outcome);
}

namespace {

using audio::NullOutput;
using test::EngineRig;

std::vector<uint8_t> fixture(const std::string& name) {
  return readWholeFile(std::filesystem::path(NORVA_TEST_DATA_DIR) / "audio" / name).bytes;
}

TEST(MpegPlayer, FiveMillionByteFileFiguresAndPositionHalfWay) {
  EngineRig rig(NullOutput::Pace::Stepped);
  auto& player = *rig.player;
  ASSERT_EQ(player.openImage(test::cbrStream(5'000'000)), OpenOutcome::Opened);
  EXPECT_TRUE(player.started());
  EXPECT_EQ(player.stream().totalFrames, 11'990);
  EXPECT_NEAR(player.msPerFrame(), 26.12, 0.005);
  EXPECT_EQ(player.position(), 0);
  rig.device().allowBlocks(5'995);
  ASSERT_TRUE(rig.device().waitForBlocksReported(5'995, test::kGenerous));
  EXPECT_EQ(player.framesPlayed(), 5'995);
  EXPECT_EQ(player.position(), 500);
  EXPECT_GE(player.framesDecoded(), 5'995);
  EXPECT_FALSE(player.endOfData());
  player.stop();
  EXPECT_FALSE(player.started());
  EXPECT_EQ(player.position(), 0);
}

TEST(MpegPlayer, OpenSaysWhyAFileDoesNotPlay) {
  EngineRig rig(NullOutput::Pace::AsFastAsPossible);
  // 4,323 bytes are one short of the header search's window; 4,324 bytes play.
  EXPECT_EQ(rig.player->openImage(test::cbrStream(4323)), OpenOutcome::NoStream);
  EXPECT_EQ(rig.player->openImage(std::vector<uint8_t>(100000, 0x33)), OpenOutcome::NoStream);
  EXPECT_EQ(rig.player->open("/nonexistent/file.mp3"), OpenOutcome::CannotRead);
  EXPECT_FALSE(rig.player->started());
  EXPECT_EQ(rig.player->openImage(test::cbrStream(4324)), OpenOutcome::Opened);
  EXPECT_TRUE(rig.waitForEnd());
}

TEST(MpegPlayer, OpenSaysWhenTheDeviceRefuses) {
  EngineRig rig(NullOutput::Pace::AsFastAsPossible);
  // A device already in use by someone else.
  ASSERT_TRUE(rig.device().open(audio::PcmFormat{}, [](audio::AudioBlock&) {}));
  EXPECT_EQ(rig.player->openImage(test::cbrStream(40 * 417)), OpenOutcome::DeviceRefused);
  EXPECT_FALSE(rig.player->started());
  EXPECT_TRUE(rig.device().close());
}

TEST(MpegPlayer, SeekToTheEndWithoutTagEndsAtOnce) {
  EngineRig rig(NullOutput::Pace::Stepped);
  auto& player = *rig.player;
  ASSERT_EQ(player.openImage(test::cbrStream(5'000'000)), OpenOutcome::Opened);
  player.seek(1000);
  EXPECT_EQ(player.framesDecoded(), 11'990);
  // Nothing more is played: the device holds only blocks from before the seek.
  ASSERT_TRUE(rig.waitForEnd());
  EXPECT_TRUE(player.endOfData());
  EXPECT_EQ(player.readPosition(), 417u * 11'990);
  EXPECT_EQ(player.position(), 1000);
  EXPECT_EQ(rig.device().blocksReported(), 0u);
}

TEST(MpegPlayer, SeekWhileTheDeviceHoldsEveryHeaderStillEnds) {
  EngineRig rig(NullOutput::Pace::Stepped);
  auto& player = *rig.player;
  ASSERT_EQ(player.openImage(test::cbrStream(5'000'000)), OpenOutcome::Opened);
  // The device takes 32 blocks and plays none; the output thread waits for a header.
  const auto deadline = std::chrono::steady_clock::now() + test::kGenerous;
  while (rig.device().queuedBlocks() < MpegPlayer::kRingBlocks &&
         std::chrono::steady_clock::now() < deadline)
    std::this_thread::yield();
  ASSERT_EQ(rig.device().queuedBlocks(), MpegPlayer::kRingBlocks);
  player.seek(1000);
  ASSERT_TRUE(rig.waitForEnd());
  EXPECT_EQ(rig.device().blocksReported(), 0u);
}

TEST(MpegPlayer, SeekContinuesFromTheNewPlace) {
  EngineRig rig(NullOutput::Pace::Stepped);
  auto& player = *rig.player;
  ASSERT_EQ(player.openImage(test::cbrStream(5'000'000)), OpenOutcome::Opened);
  rig.device().allowBlocks(10);
  ASSERT_TRUE(rig.device().waitForBlocksReported(10, test::kGenerous));
  player.seek(500);
  EXPECT_EQ(player.framesPlayed(), 5'995);
  EXPECT_EQ(player.position(), 500);
  rig.device().allowBlocks(100);
  ASSERT_TRUE(rig.waitForPlayed(6'005));
  EXPECT_GE(player.position(), 500);
  EXPECT_LE(player.position(), 510);
  EXPECT_GT(player.readPosition(), 417u * 5'995);
}

// Playing that starts part-way never lets a block from the start through, however the threads
// run: the first block the device reports is already at the start place.
TEST(MpegPlayer, StartingPartWayPlaysNothingFromTheStart) {
  const auto stream = test::cbrStream(200'000);  // 479 frames; 500 thousandths is frame 239
  for (int run = 0; run < 200; ++run) {
    auto device = std::make_unique<NullOutput>(NullOutput::Pace::AsFastAsPossible);
    MpegPlayer player(std::move(device));
    std::mutex mutex;
    std::condition_variable reported;
    std::optional<int64_t> first;
    player.setPlayedCallback([&](int64_t played) {
      std::lock_guard lock(mutex);
      if (!first) first = played;
      reported.notify_all();
    });
    ASSERT_EQ(player.openImage(stream, 500), OpenOutcome::Opened);
    {
      std::unique_lock lock(mutex);
      ASSERT_TRUE(reported.wait_for(lock, test::kGenerous, [&] { return first.has_value(); }));
      ASSERT_GT(*first, 239) << "run " << run;
    }
    player.stop();
  }
}

TEST(MpegPlayer, PlaysToTheLastFrameAndReportsTheEndAfterTheLastBlock) {
  EngineRig rig(NullOutput::Pace::Stepped);
  auto& player = *rig.player;
  // 40 whole frames and the first 100 bytes of another.
  ASSERT_EQ(player.openImage(test::cbrStream(40 * 417 + 100)), OpenOutcome::Opened);
  rig.device().allowBlocks(39);
  ASSERT_TRUE(rig.device().waitForBlocksReported(39, test::kGenerous));
  EXPECT_FALSE(player.endOfData());
  EXPECT_FALSE(rig.ended());
  rig.device().allowBlocks(1);
  ASSERT_TRUE(rig.waitForEnd());
  EXPECT_TRUE(player.endOfData());
  EXPECT_EQ(player.framesDecoded(), 40);
  EXPECT_EQ(player.framesPlayed(), 40);
  EXPECT_EQ(player.position(), 1000);
  EXPECT_TRUE(player.started());  // started until Stop
  player.stop();
}

// Position is the share played in thousandths, rounded half up. With 2,000 frames every odd
// count of frames lies exactly on a half: 1 frame is 0.5 thousandths, 999 frames 499.5.
TEST(MpegPlayer, PositionRoundsHalfUpAtTheBoundaryAndOneFrameEitherSide) {
  EngineRig rig(NullOutput::Pace::Stepped);
  auto& player = *rig.player;
  ASSERT_EQ(player.openImage(test::frames(2'000)), OpenOutcome::Opened);
  ASSERT_EQ(player.stream().totalFrames, 2'000);
  struct Row {
    int64_t played;
    int position;
  };
  const Row rows[] = {{0, 0},     {1, 1},      {2, 1},      {3, 2},       {998, 499},
                      {999, 500}, {1000, 500}, {1001, 501}, {1999, 1000}, {2000, 1000}};
  uint64_t allowed = 0;
  for (const Row& row : rows) {
    rig.device().allowBlocks(static_cast<uint64_t>(row.played) - allowed);
    allowed = static_cast<uint64_t>(row.played);
    ASSERT_TRUE(rig.device().waitForBlocksReported(allowed, test::kGenerous));
    ASSERT_EQ(player.framesPlayed(), row.played);
    EXPECT_EQ(player.position(), row.position) << row.played << " frames played";
  }
}

// Set: the percentage is clamped to 0..100 and becomes p x 65535 / 100 (whole number) for both
// channels. Read: the left level times a single-precision 1/65535, times 100, truncated.
TEST(MpegPlayer, VolumeIsClampedAtBothEndsAndReadBackTruncated) {
  EngineRig rig(NullOutput::Pace::Stepped);
  auto& player = *rig.player;
  struct Row {
    int percent;
    uint32_t deviceLevel;
    int readBack;
  };
  const Row rows[] = {
      {-1, 0x00000000u, 0},   {0, 0x00000000u, 0},    {1, 0x028F028Fu, 0},  // 655
      {50, 0x7FFF7FFFu, 49},                                                // 32767
      {99, 0xFD6FFD6Fu, 98},                                                // 64879
      {100, 0xFFFFFFFFu, 99}, {101, 0xFFFFFFFFu, 99},
  };
  for (const Row& row : rows) {
    player.setVolume(row.percent);
    EXPECT_EQ(rig.device().volume(), row.deviceLevel) << row.percent << "%";
    EXPECT_EQ(player.volume(), row.readBack) << row.percent << "%";
  }
}

// The read-back truncates: only the left level counts, and a step of one level either side of
// a whole percentage changes the answer.
TEST(MpegPlayer, VolumeReadBackOfDeviceLevels) {
  EngineRig rig(NullOutput::Pace::Stepped);
  struct Row {
    uint32_t deviceLevel;
    int readBack;
  };
  const Row rows[] = {{0x0000028Fu, 0},  {0x00000290u, 1},  {0xFFFF0000u, 0}, {0x00007FFFu, 49},
                      {0x00008000u, 50}, {0x0000FFFEu, 99}, {0x0000FFFFu, 99}};
  for (const Row& row : rows) {
    rig.device().setVolume(row.deviceLevel);
    EXPECT_EQ(rig.player->volume(), row.readBack) << std::hex << row.deviceLevel;
  }
}

TEST(MpegPlayer, PauseThenStopClearsPauseAndClosesTheDevice) {
  EngineRig rig(NullOutput::Pace::AsFastAsPossible);
  auto& player = *rig.player;
  ASSERT_EQ(player.openImage(test::cbrStream(400'000)), OpenOutcome::Opened);
  player.pause();
  EXPECT_TRUE(player.paused());
  EXPECT_TRUE(rig.device().isPaused());
  player.stop();
  EXPECT_FALSE(player.paused());
  EXPECT_FALSE(player.started());
  EXPECT_FALSE(rig.device().isOpen());
  EXPECT_EQ(rig.device().queuedBlocks(), 0u);
  EXPECT_FALSE(rig.ended());  // a stop is not the end of the data
  // The engine opens again after a stop.
  ASSERT_EQ(player.openImage(test::cbrStream(40 * 417)), OpenOutcome::Opened);
  ASSERT_TRUE(rig.waitForEnd());
}

TEST(MpegPlayer, PauseAndResumeContinueFromTheSamePlace) {
  EngineRig rig(NullOutput::Pace::Stepped);
  auto& player = *rig.player;
  ASSERT_EQ(player.openImage(test::cbrStream(100 * 417)), OpenOutcome::Opened);
  rig.device().allowBlocks(20);
  ASSERT_TRUE(rig.device().waitForBlocksReported(20, test::kGenerous));
  player.pause();
  player.pause();  // a second pause changes nothing
  EXPECT_EQ(player.framesPlayed(), 20);
  player.resume();
  EXPECT_FALSE(player.paused());
  rig.device().allowBlocks(80);
  ASSERT_TRUE(rig.waitForEnd());
  EXPECT_EQ(player.framesPlayed(), 100);
}

TEST(MpegPlayer, OnlyOneEngineAtATime) {
  EngineRig first(NullOutput::Pace::AsFastAsPossible);
  {
    EngineRig second(NullOutput::Pace::AsFastAsPossible);
    EXPECT_EQ(MpegPlayer::liveEngines(), 2);
    EXPECT_EQ(second.player->openImage(test::cbrStream(40 * 417)), OpenOutcome::AnotherEngine);
    EXPECT_EQ(first.player->openImage(test::cbrStream(40 * 417)), OpenOutcome::AnotherEngine);
    EXPECT_EQ(first.player->open("/nonexistent/file.mp3"), OpenOutcome::AnotherEngine);
  }
  EXPECT_EQ(first.player->openImage(test::cbrStream(40 * 417)), OpenOutcome::Opened);
  EXPECT_TRUE(first.waitForEnd());
}

TEST(MpegPlayer, MprWhoseLyricHoldsNoSyncPatternPlaysLikeItsMp3) {
  const auto mp3 = fixture("song_cn_speech_44k1_stereo_cbr128.mp3");
  auto lyric = test::lyricBody({{0, "abc"}, {35, "def"}}, 2, 1024);
  ASSERT_TRUE(std::find(lyric.begin(), lyric.end(), 0xFF) == lyric.end());
  const auto mpr = test::concat(lyric, mp3);

  EngineRig plain(NullOutput::Pace::AsFastAsPossible);
  ASSERT_EQ(plain.player->openImage(mp3), OpenOutcome::Opened);
  ASSERT_TRUE(plain.waitForEnd());
  const int64_t frames = plain.player->framesDecoded();
  const auto sound = plain.recorded();
  plain.player.reset();

  EngineRig merged(NullOutput::Pace::AsFastAsPossible);
  ASSERT_EQ(merged.player->openImage(mpr), OpenOutcome::Opened);
  EXPECT_EQ(merged.player->stream().firstFrameOffset, 1024u + 190u);
  ASSERT_TRUE(merged.waitForEnd());
  EXPECT_EQ(merged.player->framesDecoded(), frames);
  EXPECT_EQ(merged.recorded(), sound);
}

TEST(MpegPlayer, JunkInsideTheStreamIsSkippedByResync) {
  auto file = test::concat(test::frames(20), std::vector<uint8_t>(300, 0x11));
  file = test::concat(file, test::frames(20));
  EngineRig rig(NullOutput::Pace::AsFastAsPossible);
  ASSERT_EQ(rig.player->openImage(file), OpenOutcome::Opened);
  ASSERT_TRUE(rig.waitForEnd());
  EXPECT_EQ(rig.player->framesDecoded(), 40);
}

// The engine's sound equals what libmpg123 alone makes of the same frames.
class EnginePcm : public testing::TestWithParam<const char*> {};

TEST_P(EnginePcm, MatchesLibmpg123Alone) {
  const auto file = fixture(GetParam());
  ASSERT_FALSE(file.empty());
  EngineRig rig(NullOutput::Pace::AsFastAsPossible);
  ASSERT_EQ(rig.player->openImage(file), OpenOutcome::Opened);
  const auto& info = rig.player->stream();
  ASSERT_TRUE(rig.waitForEnd());
  const auto reference = test::referenceDecode(file, info.sampleRate, info.header.channels());
  ASSERT_TRUE(reference.ok);
  EXPECT_EQ(rig.player->framesDecoded(), reference.frames);
  const auto sound = rig.recorded();
  EXPECT_EQ(sound.size(), reference.pcm.size());
  EXPECT_TRUE(sound == reference.pcm);
  if (info.xing && info.xing->frames) {
    EXPECT_EQ(rig.player->framesDecoded(), *info.xing->frames);
  }
}

INSTANTIATE_TEST_SUITE_P(SampleFiles, EnginePcm,
                         testing::Values("song_cn_speech_44k1_stereo_cbr128.mp3",
                                         "tone440_44k1_mono_cbr64_noinfo.mp3",
                                         "sweep_22k05_stereo_vbr_xing.mp3",
                                         "chirp_8k_mono_cbr16_mpeg25.mp3",
                                         "tone_48k_stereo_192k_layer2.mp2"));

}  // namespace
}  // namespace norva::preview
