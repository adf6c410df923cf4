// The volume level applied to 16-bit samples: sample x level / 65535, truncated toward zero, so
// that the full level 0xFFFF leaves every sample as it is.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "audio/block_queue_output.h"

namespace norva::audio {
namespace {

std::vector<uint8_t> le16(std::initializer_list<int16_t> samples) {
  std::vector<uint8_t> bytes;
  for (int16_t s : samples) {
    const auto u = static_cast<uint16_t>(s);
    bytes.push_back(static_cast<uint8_t>(u & 0xFF));
    bytes.push_back(static_cast<uint8_t>(u >> 8));
  }
  return bytes;
}

int16_t sampleAt(const std::vector<uint8_t>& bytes, size_t index) {
  return static_cast<int16_t>(bytes[2 * index] | bytes[2 * index + 1] << 8);
}

TEST(ApplyVolume, LevelsAtTheTopAndBottomOfTheRange) {
  struct Row {
    int16_t sample;
    uint16_t level;
    int16_t expected;
  };
  const Row rows[] = {
      {32767, 0xFFFF, 32767},   {32767, 0xFFFE, 32766},    // 32766.5
      {-32768, 0xFFFF, -32768}, {-32768, 0xFFFE, -32767},  // -32767.5
      {16384, 0x8000, 8192},    {16384, 0x7FFF, 8191},     // 8192.125 and 8191.875
      {1000, 0x0001, 0},        {1000, 0x0000, 0},        {-1, 0xFFFF, -1},
  };
  for (const Row& row : rows) {
    auto pcm = le16({row.sample});
    applyVolume(pcm, 1, row.level);
    EXPECT_EQ(sampleAt(pcm, 0), row.expected) << row.sample << " at level " << row.level;
  }
}

TEST(ApplyVolume, StereoTakesEachChannelsLevelAndMonoTheLeft) {
  auto stereo = le16({20000, 20000, -20000, -20000});
  applyVolume(stereo, 2, 0x0000FFFFu);  // left full, right silent
  EXPECT_EQ(sampleAt(stereo, 0), 20000);
  EXPECT_EQ(sampleAt(stereo, 1), 0);
  EXPECT_EQ(sampleAt(stereo, 2), -20000);
  EXPECT_EQ(sampleAt(stereo, 3), 0);

  auto mono = le16({20000, -20000});
  applyVolume(mono, 1, 0xFFFF0000u);  // the right level does not count
  EXPECT_EQ(sampleAt(mono, 0), 0);
  EXPECT_EQ(sampleAt(mono, 1), 0);

  // A trailing byte that is not a whole frame is left alone.
  auto odd = le16({20000, 20000});
  odd.push_back(0x7F);
  applyVolume(odd, 2, 0);
  EXPECT_EQ(sampleAt(odd, 0), 0);
  EXPECT_EQ(odd.back(), 0x7F);
}

}  // namespace
}  // namespace norva::audio
