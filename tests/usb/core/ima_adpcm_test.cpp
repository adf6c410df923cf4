#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "usb/ima_adpcm.h"

namespace norva::usb {
namespace {

void put16(std::vector<uint8_t>& out, uint16_t v) {
  out.push_back(static_cast<uint8_t>(v));
  out.push_back(static_cast<uint8_t>(v >> 8));
}

void put32(std::vector<uint8_t>& out, uint32_t v) {
  put16(out, static_cast<uint16_t>(v));
  put16(out, static_cast<uint16_t>(v >> 16));
}

void putText(std::vector<uint8_t>& out, const char* text) {
  out.insert(out.end(), text, text + std::strlen(text));
}

// An IMA ADPCM WAVE file with one mono block of the given bytes after its header.
std::vector<uint8_t> adpcmWave(uint16_t formatTag, const std::vector<uint8_t>& block,
                               uint16_t blockAlign) {
  std::vector<uint8_t> file;
  putText(file, "RIFF");
  put32(file, 0);  // not relied on
  putText(file, "WAVEfmt ");
  put32(file, 20);
  put16(file, formatTag);
  put16(file, 1);     // mono
  put32(file, 8000);  // sample rate
  put32(file, 4055);
  put16(file, blockAlign);
  put16(file, 4);  // bits per sample
  put16(file, 2);
  put16(file, 505);
  putText(file, "data");
  put32(file, static_cast<uint32_t>(block.size()));
  file.insert(file.end(), block.begin(), block.end());
  return file;
}

std::vector<int16_t> samplesOf(const std::vector<uint8_t>& wave) {
  std::vector<int16_t> samples;
  for (size_t i = 44; i + 1 < wave.size(); i += 2)
    samples.push_back(static_cast<int16_t>(wave[i] | (wave[i + 1] << 8)));
  return samples;
}

TEST(ImaAdpcm, DecodesByTheStepTable) {
  // Header: predictor 0, step index 0. Nibbles low first: 7 then 0, then 8 (sign only) and 0.
  // 7 at step 7: 0 + 1 + 3 + 7 = +11, index 8. 0 at step 16: +2 -> 13, index 7.
  // 8 at step 14: -(14 >> 3) = -1 -> 12, index 6. 0 at step 13: +1 -> 13, index 5.
  // Then 0x00 0x00: four nibbles of 0 at steps 12, 11, 10, 9: +1 each -> 14, 15, 16, 17.
  const std::vector<uint8_t> block = {0x00, 0x00, 0x00, 0x00, 0x07, 0x08, 0x00, 0x00};
  const auto wave = decodeImaAdpcmWave(adpcmWave(0x0011, block, 8));
  ASSERT_TRUE(wave.has_value());
  EXPECT_EQ(std::string(wave->begin(), wave->begin() + 4), "RIFF");
  EXPECT_EQ((*wave)[20], 1);  // PCM
  EXPECT_EQ((*wave)[34], 16);
  EXPECT_EQ(samplesOf(*wave), (std::vector<int16_t>{0, 11, 13, 12, 13, 14, 15, 16, 17}));
}

TEST(ImaAdpcm, SecondBlockStartsFromItsOwnHeader) {
  const std::vector<uint8_t> blocks = {0x10, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
                                       0xF0, 0xFF, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00};
  const auto wave = decodeImaAdpcmWave(adpcmWave(0x0011, blocks, 8));
  ASSERT_TRUE(wave.has_value());
  const auto samples = samplesOf(*wave);
  ASSERT_EQ(samples.size(), 18u);
  EXPECT_EQ(samples[0], 16);
  EXPECT_EQ(samples[9], -16);
}

TEST(ImaAdpcm, OtherFilesAreRefused) {
  const std::vector<uint8_t> block = {0, 0, 0, 0, 0, 0, 0, 0};
  EXPECT_FALSE(decodeImaAdpcmWave(adpcmWave(0x0001, block, 8)).has_value());  // PCM
  EXPECT_FALSE(decodeImaAdpcmWave(adpcmWave(0x0011, block, 6)).has_value());  // bad alignment
  EXPECT_FALSE(decodeImaAdpcmWave(std::vector<uint8_t>(100, 0)).has_value());
  auto noData = adpcmWave(0x0011, block, 8);
  noData.resize(40);
  EXPECT_FALSE(decodeImaAdpcmWave(noData).has_value());
}

TEST(ImaAdpcm, CutDataDecodesItsWholeGroups) {
  const std::vector<uint8_t> block = {0x00, 0x00, 0x00, 0x00, 0x07, 0x08, 0x00, 0x00};
  auto file = adpcmWave(0x0011, block, 8);
  file.resize(file.size() - 2);  // the data chunk claims 8 bytes, 6 remain: header + no group
  const auto wave = decodeImaAdpcmWave(file);
  ASSERT_TRUE(wave.has_value());
  EXPECT_EQ(samplesOf(*wave), std::vector<int16_t>{0});
}

}  // namespace
}  // namespace norva::usb
