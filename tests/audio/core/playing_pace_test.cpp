#include "audio/playing_pace.h"

#include <gtest/gtest.h>

namespace norva::audio {
namespace {

using namespace std::chrono_literals;
using Clock = PlayingPace::Clock;

// At a million frames a second and real time, one frame is one microsecond.
constexpr uint32_t kMicrosecondFrames = 1'000'000;
const Clock::time_point kStart{};

TEST(PlayingPace, LeadsShorterThanTheShortestWaitAreCarried) {
  struct Row {
    uint64_t frames;
    std::chrono::nanoseconds wait;
  };
  for (const Row row : {Row{1999, 0ns}, Row{2000, 2000us}, Row{2001, 2001us}}) {
    PlayingPace pace(1.0, kMicrosecondFrames, kStart);
    EXPECT_EQ(pace.afterFrames(row.frames, kStart), row.wait) << row.frames;
  }
  // A carried lead is waited for with the next block.
  PlayingPace pace(1.0, kMicrosecondFrames, kStart);
  EXPECT_EQ(pace.afterFrames(1500, kStart), 0ns);
  EXPECT_EQ(pace.afterFrames(1500, kStart + 10us), 2990us);
}

TEST(PlayingPace, ADeviceThatRanDryRestartsItsClockInsteadOfCatchingUp) {
  struct Row {
    std::chrono::microseconds late;
    std::chrono::nanoseconds nextWait;
  };
  // The first block (1 ms) is done `late` after its time; the next one is 3 ms long.
  for (const Row row : {Row{99'999us, 0ns}, Row{100'000us, 0ns}, Row{100'001us, 3000us}}) {
    PlayingPace pace(1.0, kMicrosecondFrames, kStart);
    const Clock::time_point now = kStart + 1ms + row.late;
    EXPECT_EQ(pace.afterFrames(1000, now), 0ns);
    EXPECT_EQ(pace.afterFrames(3000, now), row.nextWait) << row.late.count();
  }
}

// A 600 s song at 1000 times real time takes 0.6 s, even when every sleep lasts 100 us longer
// than asked and handing over a block costs 10 us: the clock does not add those up.
TEST(PlayingPace, ASongTakesItsLengthDividedByTheSpeed) {
  constexpr uint64_t kBlockFrames = 1152;
  constexpr uint64_t kBlocks = 22968;  // 599.987 s at 44.1 kHz
  PlayingPace pace(1000.0, 44100, kStart);
  Clock::time_point now = kStart;
  int sleeps = 0;
  for (uint64_t i = 0; i < kBlocks; ++i) {
    now += 10us;
    if (const auto wait = pace.afterFrames(kBlockFrames, now); wait > 0ns) {
      now += wait + 100us;
      ++sleeps;
    }
  }
  // The last lead, under 2 ms, is not slept away.
  EXPECT_GE(now - kStart, 597'987us);
  EXPECT_LE(now - kStart, 600'100us);
  // Each sleep covers at least 2 ms: about 300 of them, not one a block.
  EXPECT_LE(sleeps, 300);
}

TEST(PlayingPace, TimeStandingStillIsNotOwed) {
  PlayingPace pace(2.0, kMicrosecondFrames, kStart);
  EXPECT_EQ(pace.afterFrames(10'000, kStart), 5ms);  // 10 ms of sound at twice real time
  pace.standStill(1s);
  EXPECT_EQ(pace.afterFrames(10'000, kStart + 1s + 5ms), 5ms);
}

}  // namespace
}  // namespace norva::audio
