#include "audio/null_output.h"

#include <gtest/gtest.h>

#include "audio/output_test_support.h"

namespace norva::audio {
namespace {

const PcmFormat kStereo44{2, 44100, 16};

TEST(NullOutput, PlaysBlocksInOrderAndRecordsThem) {
  test::DoneLog log;  // outlives the device that calls it
  NullOutput out(NullOutput::Pace::AsFastAsPossible);
  std::vector<uint8_t> recorded;
  out.setRecorder([&](std::span<const uint8_t> pcm) {
    recorded.insert(recorded.end(), pcm.begin(), pcm.end());
  });
  test::TestBlocks blocks(5, 441);
  ASSERT_TRUE(out.open(kStereo44, log.callback()));
  EXPECT_FALSE(out.open(kStereo44, log.callback()));  // already open
  for (auto& block : blocks.blocks) ASSERT_TRUE(out.write(block));
  ASSERT_TRUE(log.waitFor(5));
  EXPECT_EQ(log.order(), test::iota(5));
  EXPECT_EQ(recorded.size(), 5u * 441 * 4);
  EXPECT_EQ(recorded[4 * 441 * 4], 5);
  EXPECT_EQ(out.framesPlayed(), 5u * 441);
  EXPECT_EQ(out.timePlayed(), std::chrono::milliseconds(50));
  EXPECT_TRUE(out.close());
  EXPECT_FALSE(out.write(blocks.blocks[0]));
}

TEST(NullOutput, ResetHandsBackEveryQueuedBlockAndCloseWaitsForIt) {
  test::DoneLog log;  // outlives the device that calls it
  NullOutput out(NullOutput::Pace::Stepped);
  test::TestBlocks blocks(6, 100);
  ASSERT_TRUE(out.open(kStereo44, log.callback()));
  for (auto& block : blocks.blocks) out.write(block);
  out.allowBlocks(2);
  ASSERT_TRUE(out.waitForBlocksReported(2, std::chrono::seconds(20)));
  EXPECT_FALSE(out.close());  // four still queued
  EXPECT_EQ(out.queuedBlocks(), 4u);
  out.reset();
  EXPECT_EQ(out.queuedBlocks(), 0u);
  EXPECT_EQ(log.order(), test::iota(6));
  EXPECT_EQ(out.blocksReported(), 2u);  // the others came back unplayed
  EXPECT_TRUE(out.close());
}

TEST(NullOutput, PausedDeviceHoldsItsBlocksUntilRestart) {
  test::DoneLog log;  // outlives the device that calls it
  NullOutput out(NullOutput::Pace::AsFastAsPossible);
  std::atomic<size_t> recorded{0};
  out.setRecorder([&](std::span<const uint8_t> pcm) { recorded += pcm.size(); });
  test::TestBlocks blocks(3, 100);
  ASSERT_TRUE(out.open(kStereo44, log.callback()));
  out.pause();
  EXPECT_TRUE(out.isPaused());
  for (auto& block : blocks.blocks) out.write(block);
  // Reset while paused: everything comes back, nothing was played, the device stays paused.
  out.reset();
  EXPECT_EQ(log.order(), test::iota(3));
  EXPECT_EQ(recorded.load(), 0u);
  EXPECT_TRUE(out.isPaused());
  out.write(blocks.blocks[0]);
  out.restart();
  ASSERT_TRUE(log.waitFor(4));
  EXPECT_EQ(recorded.load(), 400u);
  EXPECT_TRUE(out.close());
}

TEST(NullOutput, VolumeScalesEachChannel) {
  test::DoneLog log;  // outlives the device that calls it
  NullOutput out(NullOutput::Pace::AsFastAsPossible);
  std::vector<uint8_t> recorded;
  out.setRecorder([&](std::span<const uint8_t> pcm) { recorded.assign(pcm.begin(), pcm.end()); });
  std::vector<uint8_t> pcm{0x00, 0x40, 0x00, 0xC0};  // left 16384, right -16384
  AudioBlock block{pcm, 0};
  ASSERT_TRUE(out.open(kStereo44, log.callback()));
  out.setVolume(0xFFFFu << 16 | 0x7FFF);  // left half, right full
  EXPECT_EQ(out.volume(), 0xFFFF7FFFu);
  out.write(block);
  ASSERT_TRUE(log.waitFor(1));
  ASSERT_EQ(recorded.size(), 4u);
  EXPECT_EQ(static_cast<int16_t>(recorded[0] | recorded[1] << 8), 8191);
  EXPECT_EQ(static_cast<int16_t>(recorded[2] | recorded[3] << 8), -16384);
  EXPECT_EQ(pcm[1], 0x40);  // the caller's block is untouched
}

TEST(NullOutput, RealTimeClockRunsAtTheGivenSpeed) {
  test::DoneLog log;  // outlives the device that calls it
  // 2 s of sound at 1000 times real time.
  NullOutput out(NullOutput::Pace::RealTime, 1000.0);
  test::TestBlocks blocks(2, 44100);
  ASSERT_TRUE(out.open(kStereo44, log.callback()));
  for (auto& block : blocks.blocks) out.write(block);
  ASSERT_TRUE(log.waitFor(2));
  EXPECT_EQ(out.timePlayed(), std::chrono::milliseconds(2000));
}

TEST(NullOutput, RefusesFormatsItCannotPlay) {
  NullOutput out;
  EXPECT_FALSE(out.open(PcmFormat{2, 44100, 8}, nullptr));
  EXPECT_FALSE(out.open(PcmFormat{3, 44100, 16}, nullptr));
  EXPECT_FALSE(out.open(PcmFormat{1, 0, 16}, nullptr));
}

}  // namespace
}  // namespace norva::audio
