#include "lyrics/relay.h"

#include <gtest/gtest.h>

#include "base/byte_order.h"

namespace norva::lyr {
namespace {

// A LYR image with `n` index entries pointing at the given offsets, texts placed by the caller.
LyrImage imageWithIndex(const std::vector<std::pair<uint16_t, uint16_t>>& index, size_t size) {
  LyrImage image;
  writeHeaderBlock(image.bytes, 2, 0);
  std::span<uint8_t> body(image.bytes.data() + 512, 32768 - 512);
  writeBe16(body, 22, static_cast<uint16_t>(index.size()));
  for (size_t i = 0; i < index.size(); ++i) {
    writeBe16(body, 24 + 4 * i, index[i].first);
    writeBe16(body, 26 + 4 * i, index[i].second);
  }
  image.size = size;
  return image;
}

void putText(LyrImage& image, size_t offset, std::string_view text) {
  std::copy(text.begin(), text.end(), image.bytes.begin() + 512 + static_cast<ptrdiff_t>(offset));
  image.bytes[512 + offset + text.size()] = 0;
}

TEST(Relay, GivesEveryEntryItsOwnCopyInIndexOrder) {
  // Entries 0 and 2 share "AB"; entry 1 points at "C". Texts stored in another order.
  LyrImage image = imageWithIndex({{1, 40}, {2, 37}, {3, 40}}, 1024);
  putText(image, 37, "C");
  putText(image, 40, "AB");
  ASSERT_EQ(relay(image), RelayResult::Ok);
  const std::span<const uint8_t> body(image.bytes.data() + 512, 512);
  EXPECT_EQ(readBe16(body, 24), 1);  // times untouched
  EXPECT_EQ(readBe16(body, 26), 36);
  EXPECT_EQ(readBe16(body, 30), 39);
  EXPECT_EQ(readBe16(body, 34), 41);
  EXPECT_EQ(readBe16(body, 20), 44);
  EXPECT_EQ(std::string(body.begin() + 36, body.begin() + 44), std::string("AB\0C\0AB\0", 8));
  EXPECT_EQ(image.size, 1024u);
}

// A refused image is left exactly as it was, size included.
void expectRefusedUnchanged(LyrImage image, RelayResult expected, const char* label) {
  const LyrImage before = image;
  EXPECT_EQ(relay(image), expected) << label;
  EXPECT_EQ(image.bytes, before.bytes) << label;
  EXPECT_EQ(image.size, before.size) << label;
}

TEST(Relay, RefusesWhatLiesOutsideTheImageAndLeavesItUnchanged) {
  LyrImage countTooLarge = imageWithIndex({}, 1024);
  writeBe16(std::span(countTooLarge.bytes), 512 + 22, 200);  // 24 + 800 > 512 bytes of body
  expectRefusedUnchanged(countTooLarge, RelayResult::Malformed, "count");

  // The second entry points outside; the first was already relayed in the work buffer.
  LyrImage offsetOutside = imageWithIndex({{0, 32}, {0, 600}}, 1024);
  putText(offsetOutside, 32, "first");
  expectRefusedUnchanged(offsetOutside, RelayResult::Malformed, "offset");

  // A text without its NUL inside the data: the zero fill of the buffer beyond does not count.
  LyrImage noNul = imageWithIndex({{0, 28}}, 1024);
  std::fill(noNul.bytes.begin() + 512 + 28, noNul.bytes.begin() + 1024, uint8_t{'x'});
  expectRefusedUnchanged(noNul, RelayResult::Malformed, "no NUL");

  expectRefusedUnchanged(imageWithIndex({}, 100), RelayResult::Malformed, "tiny");
}

TEST(Relay, TextsOf256BytesOrMoreAreRefused) {
  LyrImage ok = imageWithIndex({{0, 28}}, 1024);
  putText(ok, 28, std::string(255, 'a'));
  EXPECT_EQ(relay(ok), RelayResult::Ok);
  LyrImage tooLong = imageWithIndex({{0, 28}}, 1024);
  putText(tooLong, 28, std::string(256, 'a'));
  expectRefusedUnchanged(tooLong, RelayResult::TextTooLong, "256 bytes");
}

TEST(Relay, RefusesAnImageThatWouldNotFit) {
  // 200 entries all pointing at one 200-byte text need 200 copies.
  std::vector<std::pair<uint16_t, uint16_t>> index(200, {0, 824});
  LyrImage image = imageWithIndex(index, 2048);
  putText(image, 824, std::string(200, 'z'));
  expectRefusedUnchanged(image, RelayResult::TooLarge, "too large");
}

}  // namespace
}  // namespace norva::lyr
