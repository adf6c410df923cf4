// The ALSA backend through ALSA's own "null" plugin, so the code runs without a sound card.
#include "audio/service/alsa_output.h"

#include <gtest/gtest.h>

#include "audio/null_output.h"
#include "audio/output_test_support.h"
#include "audio/service/fallback_output.h"

namespace norva::audio {
namespace {

const PcmFormat kStereo44{2, 44100, 16};

TEST(AlsaOutput, PlaysThroughTheNullPluginInOrder) {
  test::DoneLog log;  // outlives the device that calls it
  AlsaOutput out("null");
  test::TestBlocks blocks(8, 1152);
  EXPECT_FALSE(out.lastError());
  ASSERT_TRUE(out.open(kStereo44, log.callback())) << out.lastError().value_or("");
  EXPECT_FALSE(out.lastError());
  EXPECT_EQ(out.name(), "alsa:null");
  for (auto& block : blocks.blocks) ASSERT_TRUE(out.write(block));
  ASSERT_TRUE(log.waitFor(8));
  EXPECT_EQ(log.order(), test::iota(8));
  out.drain();
  EXPECT_TRUE(out.close());
}

TEST(AlsaOutput, PauseResetAndCloseOnTheNullPlugin) {
  test::DoneLog log;  // outlives the device that calls it
  AlsaOutput out("null");
  test::TestBlocks blocks(4, 1152);
  ASSERT_TRUE(out.open(PcmFormat{1, 22050, 16}, log.callback())) << out.lastError().value_or("");
  out.pause();
  for (auto& block : blocks.blocks) out.write(block);
  out.reset();
  EXPECT_EQ(log.order(), test::iota(4));
  out.restart();
  out.write(blocks.blocks[0]);
  ASSERT_TRUE(log.waitFor(5));
  EXPECT_TRUE(out.close());
}

TEST(AlsaOutput, UnknownDeviceFailsAndFallbackTakesTheNullDevice) {
  test::DoneLog log;  // outlives the device that calls it
  auto alsa = std::make_unique<AlsaOutput>("no_such_device_here");
  int fallbacks = 0;
  std::string failedName;
  std::optional<std::string> failedLastError;
  FallbackOutput out(std::move(alsa),
                     std::make_unique<NullOutput>(NullOutput::Pace::AsFastAsPossible),
                     [&](const AudioOutput& failed) {
                       ++fallbacks;
                       failedName = failed.name();
                       failedLastError = dynamic_cast<const AlsaOutput&>(failed).lastError();
                     });
  test::TestBlocks blocks(2, 100);
  ASSERT_TRUE(out.open(kStereo44, log.callback()));
  EXPECT_TRUE(out.usingFallback());
  EXPECT_EQ(fallbacks, 1);
  EXPECT_EQ(failedName, "alsa:no_such_device_here");
  EXPECT_EQ(out.name(), "null");
  ASSERT_TRUE(failedLastError);
  EXPECT_EQ(failedLastError->rfind("cannot open: ", 0), 0u) << *failedLastError;
  for (auto& block : blocks.blocks) out.write(block);
  ASSERT_TRUE(log.waitFor(2));
  EXPECT_TRUE(out.close());
  ASSERT_TRUE(out.open(kStereo44, log.callback()));
  EXPECT_EQ(fallbacks, 1);  // said once
  EXPECT_TRUE(out.close());
}

}  // namespace
}  // namespace norva::audio
