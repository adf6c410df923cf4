#include "lyrics/service/mpr_assembly.h"

#include <gtest/gtest.h>

#include <fstream>

#include "base/byte_order.h"
#include "base/service/file_io.h"
#include "base/recording_prompter.h"
#include "lyrics/relay.h"
#include "lyrics/service/lyr_compiler.h"
#include "preview/synthetic_stream.h"
#include "test_support/temp_dir.h"

namespace norva::lyr {
namespace {

std::filesystem::path dataDir() {
  return NORVA_TEST_DATA_DIR;
}

void writeFile(const std::filesystem::path& path, const std::vector<uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
}

std::vector<uint8_t> readFile(const std::filesystem::path& path) {
  return readWholeFile(path).bytes;
}

// A relayed image of `count` screens whose texts make the text end `textEnd`.
LyrImage imageWithTextEnd(size_t count, size_t textEnd) {
  LyrImage image;
  writeHeaderBlock(image.bytes, kFontClassSmall, 0);
  auto body = std::span<uint8_t>(image.bytes).subspan(kHeaderSize);
  body[kDirFontClassOffset] = kFontClassSmall;
  writeBe16(body, kDirScreenCountOffset, static_cast<uint16_t>(count));
  const size_t textStart = kDirectorySize + kIndexEntrySize * count;
  const size_t textBytes = textEnd - textStart;  // texts with their NULs
  size_t at = textStart;
  for (size_t i = 0; i < count; ++i) {
    const size_t length = textBytes / count - 1 + (i == 0 ? textBytes % count : 0);
    writeBe16(body, kDirectorySize + kIndexEntrySize * i, static_cast<uint16_t>(10 * i));
    writeBe16(body, kDirectorySize + kIndexEntrySize * i + 2, static_cast<uint16_t>(at));
    std::fill_n(body.begin() + static_cast<ptrdiff_t>(at), length, static_cast<uint8_t>('a' + i));
    at += length + 1;
  }
  writeBe16(body, kDirTextEndOffset, static_cast<uint16_t>(textEnd));
  image.size = roundUpToBlock(kHeaderSize + textEnd);
  EXPECT_EQ(relay(image), RelayResult::Ok);
  EXPECT_EQ(readBe16(image.bytes, kHeaderSize + kDirTextEndOffset), textEnd);
  return image;
}

TEST(MprAssembly, LayoutWithTextEnd600And1024) {
  for (size_t textEnd : {size_t{600}, size_t{1024}}) {
    TempDir dir;
    const std::vector<uint8_t> mp3 = test::cbrStream(5000);
    writeFile(dir.path() / "a.mp3", mp3);
    LyrImage image = imageWithTextEnd(textEnd == 600 ? 4 : 8, textEnd);
    RecordingPrompter prompter;
    const auto outcome = assembleMpr(prompter, image, dir.path() / "a.mp3", dir.path() / "a.mpr");
    EXPECT_EQ(outcome.result, MprResult::Done);
    EXPECT_TRUE(prompter.messages.empty());
    const auto mpr = readFile(dir.path() / "a.mpr");
    // L = 1024 in both cases: the MP3 follows the lyric part, byte for byte.
    ASSERT_EQ(mpr.size(), 1024u + mp3.size()) << textEnd;
    EXPECT_TRUE(std::equal(mp3.begin(), mp3.end(), mpr.begin() + 1024));
    EXPECT_EQ(std::string(mpr.begin(), mpr.begin() + 9), "NORVA MP3");
    EXPECT_EQ(readBe16(mpr, kDirTextEndOffset), textEnd);
    // The index counts from the start of the MPR file; zero fill up to L.
    const size_t firstText = readBe16(mpr, kDirectorySize + 2);
    EXPECT_EQ(mpr[firstText], 'a');
    EXPECT_TRUE(std::all_of(mpr.begin() + static_cast<ptrdiff_t>(textEnd), mpr.begin() + 1024,
                            [](uint8_t b) { return b == 0; }));
  }
}

TEST(MprAssembly, CopiesTheMp3InChunksOf65536Bytes) {
  for (const auto& [size, chunks] :
       {std::pair{size_t{65536}, size_t{1}}, std::pair{size_t{65537}, size_t{2}},
        std::pair{size_t{200000}, size_t{4}}}) {
    TempDir dir;
    const std::vector<uint8_t> mp3 = test::cbrStream(size);
    writeFile(dir.path() / "big.mp3", mp3);
    LyrImage image = imageWithTextEnd(2, 100);
    RecordingPrompter prompter;
    const auto outcome = assembleMpr(prompter, image, dir.path() / "big.mp3", {});
    EXPECT_EQ(outcome.result, MprResult::Done);
    EXPECT_EQ(outcome.mp3Chunks, chunks);
    const auto mpr = readFile(dir.path() / "big.MPR");
    ASSERT_EQ(mpr.size(), 512 + size);
    EXPECT_TRUE(std::equal(mp3.begin(), mp3.end(), mpr.begin() + 512));
  }
}

TEST(MprAssembly, DefaultNameLandsBesideTheMp3) {
  EXPECT_EQ(defaultMprPath("/music/song.mp3"), std::filesystem::path("/music/song.MPR"));
  TempDir dir;
  writeFile(dir.path() / "song.mp3", test::cbrStream(5000));
  LyrImage image = imageWithTextEnd(1, 40);
  RecordingPrompter prompter;
  const auto outcome = assembleMpr(prompter, image, dir.path() / "song.mp3", "");
  EXPECT_EQ(outcome.output, dir.path() / "song.MPR");
  EXPECT_TRUE(std::filesystem::exists(dir.path() / "song.MPR"));
}

// A file the preview's header search refuses (empty, too short for three frames, or any other
// bytes) is no MP3: nothing is written and the user is told why.
TEST(MprAssembly, AFileWithoutMpegAudioIsRefusedAndNothingWritten) {
  std::vector<uint8_t> noise(100000);
  for (size_t i = 0; i < noise.size(); ++i) noise[i] = static_cast<uint8_t>(i * 7 + (i >> 8));
  for (const auto& bytes : {std::vector<uint8_t>{}, test::cbrStream(4323), noise}) {
    TempDir dir;
    writeFile(dir.path() / "x.mp3", bytes);
    LyrImage image = imageWithTextEnd(2, 100);
    RecordingPrompter prompter;
    const auto outcome = assembleMpr(prompter, image, dir.path() / "x.mp3", dir.path() / "x.mpr");
    EXPECT_EQ(outcome.result, MprResult::NotMp3) << bytes.size();
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "x.mpr")) << bytes.size();
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0],
              (Message{"指定的MP3文件中没有找到MPEG音频数据!", "MPR转化失败", MessageIcon::None,
                       MessageButtons::Ok}));
  }
  TempDir dir;
  writeFile(dir.path() / "x.mp3", test::cbrStream(4324));  // the shortest stream that plays
  LyrImage image = imageWithTextEnd(2, 100);
  RecordingPrompter prompter;
  EXPECT_EQ(assembleMpr(prompter, image, dir.path() / "x.mp3", {}).result, MprResult::Done);
}

TEST(MprAssembly, MissingMp3IsReportedAndNothingIsWritten) {
  TempDir dir;
  LyrImage image = imageWithTextEnd(1, 40);
  RecordingPrompter prompter;
  const auto outcome = assembleMpr(prompter, image, dir.path() / "none.mp3", "");
  EXPECT_EQ(outcome.result, MprResult::Mp3Missing);
  ASSERT_EQ(prompter.messages.size(), 1u);
  EXPECT_EQ(prompter.messages[0], (Message{"指定的MP3文件不存在,或者正在使用!", "MPR转化失败",
                                           MessageIcon::None, MessageButtons::Ok}));
  EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}

TEST(MprAssembly, OutputThatCannotBeCreatedIsErrorThreeAndLeavesNoFile) {
  TempDir dir;
  writeFile(dir.path() / "a.mp3", test::cbrStream(5000));
  LyrImage image = imageWithTextEnd(1, 40);
  RecordingPrompter prompter;
  auto outcome = assembleMpr(prompter, image, dir.path() / "a.mp3", dir.path() / "no" / "a.mpr");
  EXPECT_EQ(outcome.result, MprResult::CreateFailed);
  ASSERT_EQ(prompter.messages.size(), 1u);
  EXPECT_EQ(prompter.messages[0], (Message{"Create file failure!", "Compile Error information",
                                           MessageIcon::None, MessageButtons::Ok}));
  // An MP3 that cannot be read to its end (a folder named like one) leaves an older output
  // as it was and no temporary file.
  std::filesystem::create_directory(dir.path() / "folder.mp3");
  writeFile(dir.path() / "old.mpr", {9, 9});
  prompter.messages.clear();
  outcome = assembleMpr(prompter, image, dir.path() / "folder.mp3", dir.path() / "old.mpr");
  EXPECT_NE(outcome.result, MprResult::Done);
  EXPECT_EQ(readFile(dir.path() / "old.mpr"), (std::vector<uint8_t>{9, 9}));
  size_t files = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.path()))
    ++files;
  EXPECT_EQ(files, 3u);  // a.mp3, folder.mp3, old.mpr
}

TEST(MprConvert, LrcIsCompiledRelayedAndAssembled) {
  TempDir dir;
  std::filesystem::copy(dataDir() / "audio" / "song_cn_speech_44k1_stereo_cbr128.mp3",
                        dir.path() / "song.mp3");
  RecordingPrompter prompter;
  const auto outcome =
      convertToMpr(prompter, dir.path() / "song.mp3", dataDir() / "lyrics" / "song_cn.lrc", "");
  ASSERT_EQ(outcome.result, MprResult::Done);
  EXPECT_TRUE(prompter.messages.empty());
  const auto mpr = readFile(dir.path() / "song.MPR");
  const auto mp3 = readFile(dir.path() / "song.mp3");
  const size_t textEnd = readBe16(mpr, kDirTextEndOffset);
  const size_t l = roundUpToBlock(textEnd);
  ASSERT_EQ(mpr.size(), l + mp3.size());
  EXPECT_TRUE(std::equal(mp3.begin(), mp3.end(), mpr.begin() + static_cast<ptrdiff_t>(l)));
  EXPECT_EQ(readBe16(mpr, kDirScreenCountOffset), 7);  // the first line is sung twice
  // Every entry owns its text (relay), inside the lyric part.
  for (size_t i = 0; i + 1 < 7; ++i)
    EXPECT_LT(readBe16(mpr, 24 + 4 * i + 2), readBe16(mpr, 24 + 4 * (i + 1) + 2));
}

TEST(MprConvert, TimedTextIsCompiledAndLyrIsReadAsIs) {
  TempDir dir;
  writeFile(dir.path() / "s.mp3", test::cbrStream(5000));
  RecordingPrompter prompter;
  auto outcome =
      convertToMpr(prompter, dir.path() / "s.mp3", dataDir() / "lyrics" / "song_cn.tly", "");
  ASSERT_EQ(outcome.result, MprResult::Done);
  const auto fromTly = readFile(dir.path() / "s.MPR");

  // The same lyric as a LYR file (header block + the MPR's lyric part) gives the same MPR.
  std::vector<uint8_t> lyr(512, 0);
  writeHeaderBlock(lyr, fromTly[kDirFontClassOffset], 0);
  lyr.insert(lyr.end(), fromTly.begin(), fromTly.end() - 4);
  writeFile(dir.path() / "s.Lyr", lyr);
  outcome =
      convertToMpr(prompter, dir.path() / "s.mp3", dir.path() / "s.Lyr", dir.path() / "again.mpr");
  ASSERT_EQ(outcome.result, MprResult::Done);
  EXPECT_EQ(readFile(dir.path() / "again.mpr"), fromTly);
  EXPECT_TRUE(prompter.messages.empty());

  // A reserve offset in the directory stays; the header block's reserve count goes with it.
  writeBe16(lyr, kHeaderReserveBlocksOffset, 5);
  writeBe16(lyr, 512 + kDirReserveOffsetOffset, 0x0203);
  writeFile(dir.path() / "reserve.lyr", lyr);
  outcome = convertToMpr(prompter, dir.path() / "s.mp3", dir.path() / "reserve.lyr",
                         dir.path() / "reserve.mpr");
  ASSERT_EQ(outcome.result, MprResult::Done);
  const auto withReserve = readFile(dir.path() / "reserve.mpr");
  EXPECT_EQ(readBe16(withReserve, kDirReserveOffsetOffset), 0x0203);
  EXPECT_EQ(withReserve.size(), fromTly.size());
}

TEST(MprConvert, AnythingThatIsNotALyrImageIsRefused) {
  TempDir dir;
  writeFile(dir.path() / "s.mp3", test::cbrStream(5000));
  writeFile(dir.path() / "text.txt", {'h', 'i'});
  std::vector<uint8_t> bad(1024, 0);
  writeHeaderBlock(bad, 2, 0);
  writeBe16(bad, 512 + kDirScreenCountOffset, 400);  // an index far past the file
  writeFile(dir.path() / "bad.lyr", bad);
  writeFile(dir.path() / "huge.lyr", std::vector<uint8_t>(40000, 0));
  RecordingPrompter prompter;
  const Message notLyr{"歌词文件不是有效的LYR文件!", "MPR转化失败", MessageIcon::None,
                       MessageButtons::Ok};
  EXPECT_EQ(convertToMpr(prompter, dir.path() / "s.mp3", dir.path() / "text.txt", "").result,
            MprResult::NotLyr);
  EXPECT_EQ(convertToMpr(prompter, dir.path() / "s.mp3", dir.path() / "bad.lyr", "").result,
            MprResult::NotLyr);
  const MprOutcome missing = convertToMpr(prompter, dir.path() / "s.mp3", dir.path() / "x", "");
  EXPECT_EQ(missing.result, MprResult::CompileFailed);
  EXPECT_EQ(missing.compileError, CompileError::LoadFailed);
  const MprOutcome huge = convertToMpr(prompter, dir.path() / "s.mp3", dir.path() / "huge.lyr", "");
  EXPECT_EQ(huge.result, MprResult::CompileFailed);
  EXPECT_EQ(huge.compileError, CompileError::InputTooLarge);
  ASSERT_EQ(prompter.messages.size(), 4u);
  EXPECT_EQ(prompter.messages[0], notLyr);
  EXPECT_EQ(prompter.messages[1], notLyr);
  EXPECT_EQ(prompter.messages[2].text, "Load file is error!");
  EXPECT_EQ(prompter.messages[3].text, "LRC文件太大!");
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "s.MPR"));
}

TEST(MprConvert, ManyScreensAreToldAndCancelWritesNothing) {
  TempDir dir;
  writeFile(dir.path() / "s.mp3", test::cbrStream(5000));
  // 128 lines of two tags each: 256 screens.
  std::string lrc;
  for (int i = 0; i < 128; ++i) {
    char line[64];
    std::snprintf(line, sizeof line, "[%02d:%02d.00][%02d:%02d.50]x%d\r\n", i / 60, i % 60,
                  (i + 200) / 60, (i + 200) % 60, i);
    lrc += line;
  }
  writeFile(dir.path() / "many.LRC", std::vector<uint8_t>(lrc.begin(), lrc.end()));
  RecordingPrompter prompter;
  const auto outcome = convertToMpr(prompter, dir.path() / "s.mp3", dir.path() / "many.LRC", "");
  EXPECT_EQ(outcome.result, MprResult::Done);
  ASSERT_EQ(prompter.messages.size(), 1u);
  EXPECT_EQ(prompter.messages[0], (Message{"屏数超过256后将不显示其后的数据", "MP3-->MPR",
                                           MessageIcon::None, MessageButtons::Ok}));
  EXPECT_TRUE(std::filesystem::exists(dir.path() / "s.MPR"));

  // A screen too long for the player, and Cancel in the warning: no file.
  std::filesystem::remove(dir.path() / "s.MPR");
  const std::string longLine = "[00:01.00]" + std::string(150, 'w') + "\r\n";
  writeFile(dir.path() / "long.lrc", std::vector<uint8_t>(longLine.begin(), longLine.end()));
  RecordingPrompter cancelling({Answer::Cancel});
  const auto cancelled =
      convertToMpr(cancelling, dir.path() / "s.mp3", dir.path() / "long.lrc", "");
  EXPECT_EQ(cancelled.result, MprResult::Cancelled);
  EXPECT_EQ(cancelling.messages.size(), 1u);
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "s.MPR"));
}

}  // namespace
}  // namespace norva::lyr
