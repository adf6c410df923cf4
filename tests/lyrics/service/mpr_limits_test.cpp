// The MPR file's whole 512-byte blocks, as the files on disk show them.
#include <gtest/gtest.h>

#include <fstream>

#include "base/byte_order.h"
#include "base/service/file_io.h"
#include "base/recording_prompter.h"
#include "lyrics/service/mpr_assembly.h"
#include "lyrics/timed_lyr_image.h"
#include "test_support/temp_dir.h"
#include "preview/synthetic_stream.h"

namespace norva::lyr {
namespace {

void writeFile(const std::filesystem::path& path, std::span<const uint8_t> bytes) {
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
}

TEST(LyricLimits, MprPutsTheMp3AfterWholeBlocksOfLyric) {
  // Two screens of 255 and b letters: text end 24 + 8 + 256 + b + 1. The MP3 (100 bytes)
  // starts at the text end rounded up to 512.
  struct Row {
    size_t secondLength;
    size_t textEnd;
    size_t mp3Offset;
  };
  const std::vector<uint8_t> mp3 = test::cbrStream(5000);
  for (const Row row : {Row{222, 511, 512}, Row{223, 512, 512}, Row{224, 513, 1024}}) {
    TempDir dir;
    const std::vector<TimedScreen> screens{{10, std::string(255, 'a')},
                                           {20, std::string(row.secondLength, 'b')}};
    const TimedLyrLayout layout = checkTimedLyrSize(screens, FontMode::Small);
    ASSERT_EQ(layout.check, LyrSizeCheck::Fits);
    writeFile(dir.path() / "song.lyr", buildTimedLyrFile(screens, layout));
    writeFile(dir.path() / "song.mp3", mp3);
    RecordingPrompter prompter;
    const MprOutcome outcome =
        convertToMpr(prompter, dir.path() / "song.mp3", dir.path() / "song.lyr", {});
    ASSERT_EQ(outcome.result, MprResult::Done) << row.textEnd;
    const std::vector<uint8_t> mpr = readWholeFile(dir.path() / "song.MPR").bytes;
    ASSERT_EQ(mpr.size(), row.mp3Offset + mp3.size()) << row.textEnd;
    EXPECT_EQ(readBe16(mpr, 20), row.textEnd);
    EXPECT_EQ(mpr[row.textEnd - 1], 0);
    EXPECT_EQ(std::vector<uint8_t>(mpr.begin() + static_cast<ptrdiff_t>(row.mp3Offset), mpr.end()),
              mp3)
        << row.textEnd;
  }
}

TEST(LyricLimits, MprAssemblyTakesOnlyWholeBlocks) {
  struct Row {
    size_t imageSize;
    bool accepted;
  };
  for (const Row row : {Row{1023, false}, Row{1024, true}, Row{1025, false}, Row{1535, false},
                        Row{1536, true}, Row{1537, false}}) {
    TempDir dir;
    writeFile(dir.path() / "s.mp3", test::cbrStream(5000));
    LyrImage image;
    writeHeaderBlock(image.bytes, 2, 0);
    image.bytes[512 + 16] = 2;
    image.bytes[512 + 21] = 24;
    image.size = row.imageSize;
    RecordingPrompter prompter;
    const MprOutcome outcome = assembleMpr(prompter, image, dir.path() / "s.mp3", {});
    EXPECT_EQ(outcome.result == MprResult::Done, row.accepted) << row.imageSize;
    const auto written = readWholeFile(dir.path() / "s.MPR");
    if (row.accepted) {
      EXPECT_EQ(written.bytes.size(), row.imageSize - 512 + 5000) << row.imageSize;
    } else {
      EXPECT_NE(written.status, ReadResult::Status::Ok) << row.imageSize;
    }
  }
}

}  // namespace
}  // namespace norva::lyr
