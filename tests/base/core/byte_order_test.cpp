#include "base/byte_order.h"

#include <gtest/gtest.h>

#include <array>

namespace norva {
namespace {

TEST(ByteOrder, PacksBigAndLittleEndianAtAnOffset) {
  std::array<uint8_t, 6> bytes{};
  writeBe16(bytes, 1, 0x0200);
  EXPECT_EQ(bytes[1], 0x02);
  EXPECT_EQ(bytes[2], 0x00);
  EXPECT_EQ(readBe16(bytes, 1), 0x0200);
  writeLe32(bytes, 2, 0x11223344);
  EXPECT_EQ(bytes[2], 0x44);
  EXPECT_EQ(bytes[5], 0x11);
  EXPECT_EQ(readLe32(bytes, 2), 0x11223344u);
  EXPECT_EQ(readBe32(bytes, 2), 0x44332211u);
  writeLe16(bytes, 0, 0xBEEF);
  EXPECT_EQ(readLe16(bytes, 0), 0xBEEF);
  writeBe32(bytes, 0, 0xFFFF0001u);
  EXPECT_EQ(readBe16(bytes, 0), 0xFFFF);
  EXPECT_EQ(readBe16(bytes, 2), 0x0001);
}

}  // namespace
}  // namespace norva
