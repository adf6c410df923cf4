#include "lyrics/service/lyr_compiler.h"

#include <gtest/gtest.h>

#include <fstream>

#include "base/byte_order.h"
#include "base/service/file_io.h"
#include "base/recording_prompter.h"
#include "lyrics/gbk_literals.h"
#include "lyrics/lyr_reader.h"
#include "lyrics/relay.h"
#include "test_support/temp_dir.h"

namespace norva::lyr {
namespace {

using norva::testing::gbk;

Message errorBox(const char* text) {
  return {text, "Compile Error information", MessageIcon::None, MessageButtons::Ok};
}

struct Entry {
  uint16_t time;
  std::string text;
  bool operator==(const Entry&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Entry& e) {
  return out << '{' << e.time << ", \"" << e.text << "\"}";
}

// The index of a compiled image, each entry with the text its offset points at.
std::vector<Entry> entries(const LyrImage& image) {
  std::vector<Entry> out;
  const std::span<const uint8_t> body(image.bytes.data() + 512, image.size - 512);
  for (size_t i = 0; i < readBe16(body, 22); ++i) {
    const char* text = reinterpret_cast<const char*>(body.data() + readBe16(body, 26 + 4 * i));
    out.push_back({readBe16(body, 24 + 4 * i), text});
  }
  return out;
}

class Compile : public ::testing::Test {
 protected:
  CompileStatus lrc(std::string_view text) { return compiler.compileLrcText(text); }
  std::filesystem::path file(const std::string& name, std::string_view bytes) {
    auto path = dir.path() / name;
    std::ofstream(path, std::ios::binary)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return path;
  }

  TempDir dir;
  RecordingPrompter prompter;
  CLyrCompiler compiler{prompter};
};

TEST_F(Compile, ReadsTagsAtWhatTheySay) {
  ASSERT_EQ(lrc("[ti:x]\r\n[12:34.56]a\r\n[1:23.45]b\r\n[01:23.4]c\r\n[01:23.456]d\r\n"
                "[100:00.00]e\r\n[00:01]f\r\n"),
            CompileStatus::Ok);
  EXPECT_EQ(entries(compiler.image()),
            (std::vector<Entry>{
                {10, "f"}, {834, "d"}, {834, "c"}, {834, "b"}, {7545, "a"}, {60000, "e"}}));
}

TEST_F(Compile, ALineWithSeveralTagsSharesItsTextUntilRelay) {
  ASSERT_EQ(lrc("[ti:t]\r\n[00:12.30][01:05.00]Hello\r\n"), CompileStatus::Ok);
  EXPECT_EQ(entries(compiler.image()), (std::vector<Entry>{{123, "Hello"}, {650, "Hello"}}));
  const std::span<const uint8_t> body(compiler.image().bytes.data() + 512, 512);
  EXPECT_EQ(readBe16(body, 26), readBe16(body, 30));
  EXPECT_EQ(readBe16(body, 20), 24 + 8 + 6);

  ASSERT_TRUE(compiler.relayImage());
  EXPECT_EQ(entries(compiler.image()), (std::vector<Entry>{{123, "Hello"}, {650, "Hello"}}));
  EXPECT_EQ(readBe16(body, 26), 32);
  EXPECT_EQ(readBe16(body, 30), 38);
  EXPECT_EQ(readBe16(body, 20), 24 + 8 + 12);  // the text area grew by the text and its NUL
  EXPECT_EQ(compiler.image().size, 1024u);
}

TEST_F(Compile, EmptyLyricBecomesOneSpaceAndTextFollowsTheLastAdjacentTag) {
  ASSERT_EQ(lrc("x\r\n[00:01.00]\r\n[00:02.00][x]y\r\n"), CompileStatus::Ok);
  EXPECT_EQ(entries(compiler.image()), (std::vector<Entry>{{10, " "}, {20, "y"}}));
}

TEST_F(Compile, OffsetMovesTimesAndTheLastOffsetTagCounts) {
  ASSERT_EQ(
      lrc("t\r\n[offset:+900]\r\n[offset:500]\r\n[00:00.40]a\r\n[00:00.50]b\r\n[00:02.00]c\r\n"),
      CompileStatus::Ok);
  EXPECT_EQ(entries(compiler.image()), (std::vector<Entry>{{0, "b"}, {4, "a"}, {15, "c"}}));

  CLyrCompiler later(prompter);
  ASSERT_EQ(later.compileLrcText("t\r\n[offset:-500]\r\n[00:00.40]a\r\n"), CompileStatus::Ok);
  EXPECT_EQ(entries(later.image()), (std::vector<Entry>{{9, "a"}}));

  CLyrCompiler small(prompter);
  ASSERT_EQ(small.compileLrcText("t\r\n[offset: 50]\r\n[00:00.40]a\r\n"), CompileStatus::Ok);
  EXPECT_EQ(entries(small.image()), (std::vector<Entry>{{4, "a"}}));
}

TEST_F(Compile, EqualTimesStandInReverseOrderButTheFirstLinesLastTagComesLast) {
  ASSERT_EQ(lrc("t\r\n[00:05.00]B\r\n[00:05.00]A\r\n"), CompileStatus::Ok);
  EXPECT_EQ(entries(compiler.image()), (std::vector<Entry>{{50, "A"}, {50, "B"}}));

  CLyrCompiler more(prompter);
  ASSERT_EQ(more.compileLrcText("t\r\n[00:01.00][00:05.00]P\r\n[00:05.00]Q\r\n[00:05.00]R\r\n"
                                "[00:01.00]S\r\n"),
            CompileStatus::Ok);
  EXPECT_EQ(entries(more.image()),
            (std::vector<Entry>{{10, "S"}, {10, "P"}, {50, "R"}, {50, "Q"}, {50, "P"}}));
}

TEST_F(Compile, PlainLinesJoinTheScreenAndTheFirstLineIsIgnored) {
  ASSERT_EQ(lrc("ignored\r\nbefore\r\n[00:01.00]one\r\nmore\r\n[00:02.00]two\r\n"),
            CompileStatus::Ok);
  EXPECT_EQ(entries(compiler.image()),
            (std::vector<Entry>{{10, "\rbeforeone\rmore"}, {20, "two"}}));
  // LF line ends and empty lines read alike.
  CLyrCompiler lf(prompter);
  ASSERT_EQ(lf.compileLrcText("ignored\n\n[00:01.00]one\nmore\n\r\r\n"), CompileStatus::Ok);
  EXPECT_EQ(entries(lf.image()), (std::vector<Entry>{{10, "one\rmore"}}));
}

TEST_F(Compile, FontClassFollowsTwoByteTextOrThePreset) {
  ASSERT_EQ(lrc("[ti:" + gbk("中") + "]\r\n[00:01.00]abc\r\n"), CompileStatus::Ok);
  EXPECT_EQ(compiler.fontClass(), 2);
  EXPECT_EQ(compiler.image().bytes[13], 2);
  CLyrCompiler chinese(prompter);
  ASSERT_EQ(chinese.compileLrcText("t\r\n[00:01.00]" + gbk("中文") + "\r\n"), CompileStatus::Ok);
  EXPECT_EQ(chinese.image().bytes[13], 1);
  EXPECT_EQ(chinese.image().bytes[512 + 16], 1);
  CLyrCompiler preset(prompter);
  preset.setFontMode(FontMode::Large);
  ASSERT_EQ(preset.compileLrcText("t\r\n[00:01.00]abc\r\n"), CompileStatus::Ok);
  EXPECT_EQ(preset.fontClass(), 1);
}

TEST_F(Compile, NoTextIsErrorFourButPlainLinesWithoutTagsGiveAnEmptyLyr) {
  EXPECT_EQ(compiler.compileLrcFile(file("empty.lrc", "")), CompileStatus::Failed);
  EXPECT_EQ(compiler.error(), CompileError::NoText);
  CLyrCompiler onlyFirst(prompter);
  EXPECT_EQ(onlyFirst.compileLrcFile(file("one.lrc", "just a title\r\n")), CompileStatus::Failed);
  EXPECT_EQ(prompter.messages, std::vector<Message>(2, errorBox("程序处理缺陷!")));

  CLyrCompiler plain(prompter);
  ASSERT_EQ(plain.compileLrcFile(file("plain.lrc", "title\r\nsome words\r\n")), CompileStatus::Ok);
  EXPECT_EQ(plain.indexCount(), 0u);
  ASSERT_TRUE(plain.relayImage());
  EXPECT_EQ(plain.image().size, 1024u);
  EXPECT_EQ(readBe16(std::span(plain.image().bytes), 512 + 20), 24);
}

TEST_F(Compile, LoadFailsWithErrorsOneAndTwo) {
  EXPECT_EQ(compiler.compileLrcFile(dir.path() / "missing.lrc"), CompileStatus::Failed);
  EXPECT_EQ(compiler.error(), CompileError::LoadFailed);
  std::string big = "t\r\n[00:01.00]a\r\n";
  big.resize(32769, 'x');
  CLyrCompiler tooBig(prompter);
  EXPECT_EQ(tooBig.compileLrcFile(file("big.lrc", big)), CompileStatus::Failed);
  EXPECT_EQ(tooBig.error(), CompileError::InputTooLarge);
  EXPECT_EQ(prompter.messages,
            (std::vector<Message>{errorBox("Load file is error!"), errorBox("LRC文件太大!")}));
}

// A file of `size` bytes ending in CR LF, made of short plain lines after one timed line.
std::string fileOfSize(size_t size) {
  std::string text = "t\r\n[00:01.00]a\r\n";
  while (text.size() + 12 <= size - 2) text += "0123456789\r\n";
  text += std::string(size - 2 - text.size(), 'y') + "\r\n";
  return text;
}

TEST_F(Compile, InputMustFitWithItsTerminatorAndTheLineEndTheLoaderAdds) {
  // 32767 bytes with CR LF fit the buffer with the NUL; 32768 do not.
  CLyrCompiler fits(prompter);
  EXPECT_NE(fits.compileLrcFile(file("fits.lrc", fileOfSize(32767))), CompileStatus::Ok);
  EXPECT_EQ(fits.error(), CompileError::TextTooLong);  // the long screen text, not the size
  CLyrCompiler full(prompter);
  EXPECT_EQ(full.compileLrcFile(file("full.lrc", fileOfSize(32768))), CompileStatus::Failed);
  EXPECT_EQ(full.error(), CompileError::InputTooLarge);
  // 32766 bytes without a line end get CR LF: 32768 and the NUL do not fit.
  std::string noEnd = fileOfSize(32768);
  noEnd.resize(32766);
  CLyrCompiler grown(prompter);
  EXPECT_EQ(grown.compileLrcFile(file("grown.lrc", noEnd)), CompileStatus::Failed);
  EXPECT_EQ(grown.error(), CompileError::InputTooLarge);
}

TEST_F(Compile, LineAndScreenLengthLimitsAreErrorFive) {
  const std::string tag = "[00:01.00]";
  std::string tags25;
  for (int i = 0; i < 25; ++i) tags25 += tag;
  ASSERT_EQ(lrc("t\r\n" + tags25 + "abcde\r\n"), CompileStatus::Ok)
      << "a timed line of 255 bytes plus CR LF passes";
  EXPECT_EQ(compiler.indexCount(), 25u);
  CLyrCompiler longLine(prompter);
  EXPECT_EQ(longLine.compileLrcText("t\r\n" + tags25 + "abcdef\r\n"), CompileStatus::Failed);
  EXPECT_EQ(longLine.error(), CompileError::TextTooLong);
  CLyrCompiler longPlainLine(prompter);
  EXPECT_EQ(longPlainLine.compileLrcText(std::string(256, 'p') + "\r\n[00:01.00]a\r\n"),
            CompileStatus::Failed);
  EXPECT_EQ(longPlainLine.error(), CompileError::TextTooLong);

  // 188 letters wrap into 12 lines: 188 + 11 CRs = 199 bytes pass; 189 letters make 200.
  CLyrCompiler at199(prompter);
  EXPECT_EQ(at199.compileLrcText("t\r\n" + tag + std::string(188, 'a') + "\r\n"),
            CompileStatus::Ok);
  CLyrCompiler at200(prompter);
  EXPECT_EQ(at200.compileLrcText("t\r\n" + tag + std::string(189, 'a') + "\r\n"),
            CompileStatus::Failed);
  EXPECT_EQ(at200.error(), CompileError::TextTooLong);
  EXPECT_EQ(prompter.messages.back(), errorBox("单屏显示字符过长!"));
}

TEST_F(Compile, CapacitiesBeyondTheTablesAreErrorTwo) {
  std::string lines = "t\r\n";
  for (int i = 0; i < 256; ++i) lines += "[00:01.00]a\r\n";
  EXPECT_EQ(lrc(lines), CompileStatus::Failed);  // 256 timed lines
  EXPECT_EQ(compiler.error(), CompileError::InputTooLarge);

  // Twenty lines of 25 tags need 20 x 52 bytes of time groups: more than 1024.
  std::string tags25;
  for (int i = 0; i < 25; ++i) tags25 += "[00:01.00]";
  std::string groups19 = "t\r\n";
  for (int i = 0; i < 19; ++i) groups19 += tags25 + "\r\n";
  CLyrCompiler fits(prompter);
  EXPECT_EQ(fits.compileLrcText(groups19), CompileStatus::Ok);
  EXPECT_EQ(fits.indexCount(), 475u);
  CLyrCompiler overflow(prompter);
  EXPECT_EQ(overflow.compileLrcText(groups19 + tags25 + "\r\n"), CompileStatus::Failed);
  EXPECT_EQ(overflow.error(), CompileError::InputTooLarge);

  // 170 screens of 191 bytes do not fit a 32768-byte image.
  std::string big = "t\r\n";
  for (int i = 0; i < 170; ++i) big += "[0:0]" + std::string(180, 'a') + "\r\n";
  RecordingPrompter ignoreAll({Answer::Yes});
  CLyrCompiler image(ignoreAll);
  EXPECT_EQ(image.compileLrcText(big), CompileStatus::Failed);
  EXPECT_EQ(image.error(), CompileError::InputTooLarge);
  EXPECT_EQ(ignoreAll.messages.back(), errorBox("LRC文件太大!"));
}

TEST_F(Compile, RelayThatWouldOverflowTheImageIsErrorTwo) {
  // 19 lines of 25 tags sharing a 182-byte text each: every entry needs its own copy.
  std::string tags25;
  for (int i = 0; i < 25; ++i) tags25 += "[00:01.00]";
  std::string text = "t\r\n";
  for (int i = 0; i < 19; ++i) text += tags25 + "\r\n" + std::string(170, 'b') + "\r\n";
  RecordingPrompter ignoreAll({Answer::Yes});
  CLyrCompiler shared(ignoreAll);
  ASSERT_EQ(shared.compileLrcText(text), CompileStatus::Ok);
  const LyrImage before = shared.image();
  EXPECT_FALSE(shared.relayImage());
  EXPECT_EQ(shared.error(), CompileError::InputTooLarge);
  EXPECT_EQ(shared.image().bytes, before.bytes);
}

TEST_F(Compile, TimedTextSyntaxKeepsBreakMarksAndSkipsOtherLines) {
  ASSERT_EQ(
      compiler.compileTimedText("title\r\n<1299>a<br>b\r\nnot here\r\n<br>skip\r\n<2000>\r\n"),
      CompileStatus::Ok);
  EXPECT_EQ(entries(compiler.image()), (std::vector<Entry>{{12, "a<br>b"}, {20, " "}}));
}

TEST_F(Compile, LayoutWarningUsesTheCompilerTextsAndCaption) {
  compiler.setCaption("song.lrc");
  ASSERT_EQ(lrc("t\r\n[00:01.00]" + gbk("中") + "\r\na\r\nb\r\nc\r\n"), CompileStatus::Ok);
  ASSERT_EQ(prompter.messages.size(), 1u);
  EXPECT_EQ(prompter.messages[0].caption, "song.lrc");
  EXPECT_EQ(prompter.messages[0].text.substr(0, 9), "\t\n第1段");
  EXPECT_NE(prompter.messages[0].text.find("是    全部忽略"), std::string::npos);

  RecordingPrompter cancel({Answer::Cancel});
  CLyrCompiler cancelled(cancel);
  EXPECT_EQ(cancelled.compileLrcText("t\r\n[00:01.00]1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n"
                                     "[00:02.00]1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n"),
            CompileStatus::Cancelled);
  ASSERT_EQ(cancel.messages.size(), 1u);  // the second screen is laid out silently
  EXPECT_EQ(cancel.messages[0].caption, "NORVA MP3歌词编辑软件");
  EXPECT_EQ(cancel.messages[0].text.substr(0, 4), "第1");
}

TEST_F(Compile, CaptionIsCutToFiftyNineBytesOfWholeCharacters) {
  compiler.setCaption(std::string(58, 'a') + "中文.lrc");
  lrc("t\r\n[00:01.00]1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n");
  ASSERT_EQ(prompter.messages.size(), 1u);
  EXPECT_EQ(prompter.messages[0].caption, std::string(58, 'a'));
}

TEST_F(Compile, BatchPathWritesTheRelayedImageOrReturnsThree) {
  const auto input = file("in.lrc", "t\r\n[00:02.00][00:01.00]x\r\n");
  EXPECT_EQ(compiler.compileLrcFileToLyrFile(input, dir.path() / "out.lyr"), CompileStatus::Ok);
  const auto out = readWholeFile(dir.path() / "out.lyr").bytes;
  ASSERT_EQ(out.size(), 1024u);
  EXPECT_EQ(lyrToTimedText(out), "<1000>x\r\n<2000>x\r\n");
  CLyrCompiler again(prompter);
  EXPECT_EQ(again.compileLrcFileToLyrFile(input, dir.path() / "none" / "out.lyr"),
            CompileStatus::Failed);
  EXPECT_EQ(again.error(), CompileError::CreateFailed);
  EXPECT_TRUE(prompter.messages.empty());
}

TEST_F(Compile, EditorCommandTellsAboutManyScreensAndCompletion) {
  std::string text = "t\r\n";
  for (int i = 0; i < 128; ++i) text += "[00:01.00][00:02.00]a\r\n";
  ASSERT_EQ(compiler.compileLrcTextToLyrFile(text, dir.path() / "e.lyr", FontMode::Small),
            CompileStatus::Ok);
  EXPECT_EQ(prompter.messages,
            (std::vector<Message>{
                {"屏数超过256屏后将无法显示", "MP3-->MPR", MessageIcon::None, MessageButtons::Ok},
                {"转换完毕!", "LRC歌词转换软件", MessageIcon::None, MessageButtons::Ok}}));
  EXPECT_EQ(readWholeFile(dir.path() / "e.lyr").bytes[13], 2);

  RecordingPrompter failing;
  CLyrCompiler unwritable(failing);
  EXPECT_EQ(unwritable.compileLrcTextToLyrFile("t\r\n[00:01.00]a", dir.path() / "no" / "e.lyr",
                                               FontMode::Large),
            CompileStatus::Failed);
  EXPECT_EQ(failing.messages, std::vector<Message>{errorBox("Create file failure!")});
}

}  // namespace
}  // namespace norva::lyr
