#include "lyrics/service/lyr_writer.h"

#include <gtest/gtest.h>

#include "base/byte_order.h"
#include "base/service/file_io.h"
#include "base/recording_prompter.h"
#include "lyrics/distinct_characters.h"
#include "test_support/temp_dir.h"

namespace norva::lyr {
namespace {

const Message kSaved{"保存成功!", "NORVA MP3歌词编辑软件", MessageIcon::Warning,
                     MessageButtons::Ok};
const Message kTooLong{"文件太长!", "错误", MessageIcon::Error, MessageButtons::Ok};

using norva::testing::distinctCharacters;

TEST(LyrWriter, EmptyListWithSmallFontIsAOneBlockBodyWithFontClassZero) {
  TempDir dir;
  RecordingPrompter prompter;
  ASSERT_EQ(CLyrWriter(prompter).write(dir.path() / "e.lyr", {}, FontMode::Small),
            LyrWriteOutcome::Saved);
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
}

TEST(LyrWriter, SevenHundredAndOneDistinctCharactersAreRefusedAndNothingIsWritten) {
  auto screens = distinctCharacters(701);

  TempDir dir;
  RecordingPrompter prompter;
  EXPECT_EQ(CLyrWriter(prompter).write(dir.path() / "x.lyr", screens, FontMode::Large),
            LyrWriteOutcome::TooLong);
  EXPECT_EQ(prompter.messages, std::vector<Message>{kTooLong});
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "x.lyr"));
}

TEST(LyrWriter, UnwritableOutputKeepsTheOldFileAndSaysSo) {
  TempDir dir;
  RecordingPrompter prompter;
  EXPECT_EQ(CLyrWriter(prompter).write(dir.path() / "no such folder" / "x.lyr",
                                       std::vector<TimedScreen>{{0, "a"}}, FontMode::Small),
            LyrWriteOutcome::CannotWrite);
  EXPECT_EQ(prompter.messages, std::vector<Message>({{"不能写文件！      ", "NORVA MP3歌词编辑软件",
                                                      MessageIcon::Error, MessageButtons::Ok}}));
}

}  // namespace
}  // namespace norva::lyr
