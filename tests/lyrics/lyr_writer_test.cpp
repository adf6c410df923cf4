#include "lyrics/lyr_writer.h"

#include <gtest/gtest.h>

#include "base/byte_order.h"
#include "base/file_io.h"
#include "base/recording_prompter.h"
#include "test_support/temp_dir.h"

namespace norva::lyr {
namespace {

const Message kSaved{"保存成功!", "NORVA MP3歌词编辑软件", MessageIcon::Warning,
                     MessageButtons::Ok};
const Message kTooLong{"文件太长!", "错误", MessageIcon::Error, MessageButtons::Ok};

// `count` distinct two-byte characters, eight to a screen.
std::vector<TimedScreen> distinctCharacters(size_t count) {
  std::vector<TimedScreen> screens;
  for (size_t i = 0; i < count; ++i) {
    if (i % 8 == 0) screens.push_back({static_cast<uint32_t>(i), ""});
    screens.back().text += static_cast<char>(0xB0 + i / 94);
    screens.back().text += static_cast<char>(0xA1 + i % 94);
  }
  return screens;
}

TEST(LyrWriter, EmptyListWithSmallFontIsAOneBlockBodyWithFontClassZero) {
  TempDir dir;
  RecordingPrompter prompter;
  ASSERT_TRUE(CLyrWriter(prompter).write(dir.path() / "e.lyr", {}, FontMode::Small));
  const auto file = readWholeFile(dir.path() / "e.lyr").bytes;
  ASSERT_EQ(file.size(), 1024u);
  const std::vector<uint8_t> header{0x02, 0x00, 'N', 'o', 'r',  'v', 'a', ' ',
                                    '3',  '9',  '8', 0,   0x10, 0,   0,   1};
  EXPECT_EQ(std::vector<uint8_t>(file.begin(), file.begin() + 16), header);
  EXPECT_EQ(file[512 + 16], 0);             // font class
  EXPECT_EQ(readBe16(file, 512 + 18), 0);   // reserve offset
  EXPECT_EQ(readBe16(file, 512 + 20), 24);  // text end
  EXPECT_EQ(readBe16(file, 512 + 22), 0);   // screens
  for (size_t i = 16; i < 1024; ++i) {
    ASSERT_EQ(file[i], i == 512 + 21 ? 24 : 0) << i;
  }
  EXPECT_EQ(prompter.messages, std::vector<Message>{kSaved});

  // The large font on an empty list: class 1, reserve offset at the text end.
  auto large = CLyrWriter::checkSize({}, FontMode::Large);
  ASSERT_TRUE(large);
  EXPECT_EQ(large->fontClass, 1);
  EXPECT_EQ(large->reserveOffset, 24);
}

TEST(LyrWriter, WritesIndexTextsAndReserveFields) {
  const std::vector<TimedScreen> screens{{5, "Hi"},
                                         {65536 + 7,
                                          "\xD6\xD0"
                                          "a"},
                                         {70000, ""}};
  auto layout = CLyrWriter::checkSize(screens, FontMode::Small);
  ASSERT_TRUE(layout);
  // T = 24 + 12 + 3 + 4 + 1 = 44; one distinct character: R = 64; (44 + 64) / 512 -> 1 block.
  EXPECT_EQ(layout->textEnd, 44);
  EXPECT_EQ(layout->fontClass, 1);
  EXPECT_EQ(layout->reserveBlocks, 1);
  EXPECT_EQ(layout->reserveOffset, 44);  // two-byte and single-byte text
  const auto file = CLyrWriter::build(screens, *layout);
  ASSERT_EQ(file.size(), 1024u);
  EXPECT_EQ(file[13], 1);
  EXPECT_EQ(readBe16(file, 14), 1);
  EXPECT_EQ(readBe16(file, 512 + 18), 44);
  EXPECT_EQ(readBe16(file, 512 + 24), 5);
  EXPECT_EQ(readBe16(file, 512 + 26), 36);
  EXPECT_EQ(readBe16(file, 512 + 28), 7);  // 65543 modulo 65536
  EXPECT_EQ(readBe16(file, 512 + 30), 39);
  EXPECT_EQ(readBe16(file, 512 + 32), 70000 - 65536);
  EXPECT_EQ(readBe16(file, 512 + 34), 43);
  EXPECT_EQ(std::string(file.begin() + 548, file.begin() + 556), std::string("Hi\0\xD6\xD0"
                                                                             "a\0\0",
                                                                             8));
}

TEST(LyrWriter, ReserveOffsetIsZeroForOnlyTwoByteTextAndForSmallSingleByteText) {
  auto chinese =
      CLyrWriter::checkSize(std::vector<TimedScreen>{{0, "\xD6\xD0\r\xCE\xC4"}}, FontMode::Small);
  ASSERT_TRUE(chinese);
  EXPECT_EQ(chinese->reserveOffset, 0);
  EXPECT_EQ(chinese->distinctCharacters, 2u);
  auto ascii = CLyrWriter::checkSize(std::vector<TimedScreen>{{0, "abc"}}, FontMode::Small);
  ASSERT_TRUE(ascii);
  EXPECT_EQ(ascii->fontClass, 2);
  EXPECT_EQ(ascii->reserveOffset, 0);
  auto asciiLarge = CLyrWriter::checkSize(std::vector<TimedScreen>{{0, "abc"}}, FontMode::Large);
  EXPECT_EQ(asciiLarge->fontClass, 1);
  EXPECT_EQ(asciiLarge->reserveOffset, 32);
}

TEST(LyrWriter, ATextEndOnABlockBoundaryNeedsNoFill) {
  // 24 + 4 + (483 + 1) = 512.
  const std::vector<TimedScreen> screens{{1, std::string(483, 'x')}};
  auto layout = CLyrWriter::checkSize(screens, FontMode::Small);
  ASSERT_TRUE(layout);
  EXPECT_EQ(layout->textEnd, 512);
  const auto file = CLyrWriter::build(screens, *layout);
  ASSERT_EQ(file.size(), 1024u);
  EXPECT_EQ(file[1022], 'x');
  EXPECT_EQ(file[1023], 0);
}

TEST(LyrWriter, SevenHundredDistinctCharactersPassSevenHundredAndOneDoNot) {
  EXPECT_TRUE(CLyrWriter::checkSize(distinctCharacters(700), FontMode::Large));
  auto screens = distinctCharacters(701);
  EXPECT_FALSE(CLyrWriter::checkSize(screens, FontMode::Large));

  TempDir dir;
  RecordingPrompter prompter;
  EXPECT_FALSE(CLyrWriter(prompter).write(dir.path() / "x.lyr", screens, FontMode::Large));
  EXPECT_EQ(prompter.messages, std::vector<Message>{kTooLong});
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "x.lyr"));
}

TEST(LyrWriter, MoreThanFiftySixReserveBlocksIsTooLong) {
  // 200 screens of 130 single-byte characters: T + 32 > 56 blocks.
  std::vector<TimedScreen> screens(220, TimedScreen{0, std::string(130, 'a')});
  EXPECT_FALSE(CLyrWriter::checkSize(screens, FontMode::Small));
  screens.resize(210);  // 24 + 840 + 210 * 131 + 32 = 28406 bytes: 56 blocks
  auto layout = CLyrWriter::checkSize(screens, FontMode::Small);
  ASSERT_TRUE(layout);
  EXPECT_EQ(layout->reserveBlocks, 56);
}

TEST(LyrWriter, UnwritableOutputKeepsTheOldFileAndSaysSo) {
  TempDir dir;
  RecordingPrompter prompter;
  EXPECT_FALSE(CLyrWriter(prompter).write(dir.path() / "no such folder" / "x.lyr",
                                          std::vector<TimedScreen>{{0, "a"}}, FontMode::Small));
  EXPECT_EQ(prompter.messages, std::vector<Message>({{"不能写文件！      ", "NORVA MP3歌词编辑软件",
                                                      MessageIcon::Error, MessageButtons::Ok}}));
}

}  // namespace
}  // namespace norva::lyr
