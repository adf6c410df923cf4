// Lyrics from elsewhere: UTF-8 and UTF-16 files converted to GBK, unsure files kept as GBK,
// characters GBK cannot hold never lost silently.
#include "editor/service/text_encoding.h"
#include "editor/service/session_fixture.h"

namespace norva::editor {
namespace {

using EncodingTest = SessionTest;

std::string utf16(std::u16string_view text, bool bigEndian) {
  std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
  for (char16_t unit : text) {
    const char high = static_cast<char>(unit >> 8), low = static_cast<char>(unit & 0xFF);
    bytes += bigEndian ? std::string{high, low} : std::string{low, high};
  }
  return bytes;
}

TEST_F(EncodingTest, ForeignEncodingsAreReadIntoGbk) {
  const std::string lyric = "[00:01.00]你好世界\n[00:02.50]小屏幕之歌\n";
  const std::string expected = gbk("[00:01.00]你好世界\r\n[00:02.50]小屏幕之歌\r\n");
  struct Row {
    const char* name;
    std::string bytes;
    const char* status;
  };
  const Row rows[] = {
      {"utf8.lrc", lyric, "已按 UTF-8 编码读入，保存为 GBK"},
      {"bom.lrc", "\xEF\xBB\xBF" + lyric, "已按 UTF-8 BOM 编码读入，保存为 GBK"},
      {"le.lrc", utf16(u"[00:01.00]你好世界\n[00:02.50]小屏幕之歌\n", false),
       "已按 UTF-16LE 编码读入，保存为 GBK"},
      {"be.lrc", utf16(u"[00:01.00]你好世界\r\n[00:02.50]小屏幕之歌\r\n", true),
       "已按 UTF-16BE 编码读入，保存为 GBK"},
      {"gbk.lrc", gbk(lyric), "已按 GBK 编码读入，保存为 GBK"},
  };
  for (const Row& row : rows) {
    ASSERT_EQ(session_.openPath(put(row.name, row.bytes).string()), CommandOutcome::Done)
        << row.name;
    EXPECT_EQ(session_.document().text(), expected) << row.name;
    EXPECT_EQ(session_.statusMessage(), row.status) << row.name;
  }
  // Saved back, every one is GBK.
  ASSERT_EQ(session_.openPath(at("bom.lrc").string()), CommandOutcome::Done);
  session_.editText(session_.document().text());
  ASSERT_EQ(session_.save(), CommandOutcome::Done);
  EXPECT_EQ(contents(at("bom.lrc")), expected);
}

TEST_F(EncodingTest, UnsureDetectionMeansGbk) {
  // Two GBK characters are not valid UTF-8; "café" in UTF-8 is too little for the detector.
  struct Row {
    std::string bytes;
    SourceEncoding encoding;
  };
  const Row rows[] = {
      {"\xc4\xe3\xba\xc3", SourceEncoding::Gbk},
      {"caf\xc3\xa9", SourceEncoding::Gbk},
      {"plain ascii", SourceEncoding::Gbk},
      {"\xe4\xbd\xa0\xe5\xa5\xbd", SourceEncoding::Utf8},
  };
  for (const Row& row : rows) {
    const DecodedFile decoded = decodeLyricFile(
        std::span(reinterpret_cast<const uint8_t*>(row.bytes.data()), row.bytes.size()));
    EXPECT_EQ(decoded.encoding, row.encoding) << row.bytes;
    if (row.encoding == SourceEncoding::Gbk) {
      EXPECT_EQ(decoded.conversion.gbk, row.bytes);
    }
  }
}

TEST_F(EncodingTest, ACharacterOutsideGbkIsNamedAndTheFileNotOpened) {
  ASSERT_EQ(session_.openPath(put("keep.tly", "<0>keep\r\n").string()), CommandOutcome::Done);
  const DocumentSnapshot before = snapshot(session_.document());
  struct Row {
    const char* name;
    std::string bytes;
    const char* text;
  };
  const Row rows[] = {
      {"emoji.lrc", "\xEF\xBB\xBF[00:01.00]好\xF0\x9F\x98\x80\n",
       "文件中的字符“\xF0\x9F\x98\x80”(U+1F600)不能用GBK编码表示，文件没有打开。"},
      {"hangul.tly", "<0>你好 \xEA\xB0\x80 세계 여러분 안녕하세요 小屏幕之歌 世界\n",
       "文件中的字符“가”(U+AC00)不能用GBK编码表示，文件没有打开。"},
      {"surrogate.txt", utf16(u"a\xD800z", false),
       "文件中的字符“\xEF\xBF\xBD”(U+FFFD)不能用GBK编码表示，文件没有打开。"},
  };
  for (const Row& row : rows) {
    prompter_ = RecordingPrompter();
    EXPECT_EQ(session_.openPath(put(row.name, row.bytes).string()), CommandOutcome::Refused)
        << row.name;
    EXPECT_EQ(snapshot(session_.document()), before) << row.name;
    EXPECT_EQ(prompter_.messages,
              std::vector<Message>(
                  {{row.text, "NORVA MP3歌词编辑软件", MessageIcon::Warning, MessageButtons::Ok}}))
        << row.name;
  }
}

TEST_F(EncodingTest, ViewTextGbkCannotHoldBlocksSavingAndConverting) {
  const auto path = put("song.tly", "<0>a\r\n");
  ASSERT_EQ(session_.openPath(path.string()), CommandOutcome::Done);
  EXPECT_EQ(session_.setTextFromView("<0>a\xF0\x9F\x8E\xB5\r\n"), U'\U0001F3B5');
  EXPECT_TRUE(session_.document().modified());
  const Message refusal{"文本中的字符“\xF0\x9F\x8E\xB5”(U+1F3B5)不能用GBK编码保存，文件没有保存。",
                        "NORVA MP3歌词编辑软件", MessageIcon::Warning, MessageButtons::Ok};
  EXPECT_EQ(session_.save(), CommandOutcome::Refused);
  EXPECT_EQ(session_.saveAs(), CommandOutcome::Refused);
  EXPECT_EQ(session_.convertToLyr(), CommandOutcome::Refused);
  EXPECT_EQ(prompter_.messages, std::vector(3, refusal));
  EXPECT_EQ(contents(path), "<0>a\r\n");
  EXPECT_TRUE(chooser_.saveRequests.empty());

  EXPECT_EQ(session_.setTextFromView("<0>音乐\r\n"), std::nullopt);
  EXPECT_EQ(session_.save(), CommandOutcome::Done);
  EXPECT_EQ(contents(path), gbk("<0>音乐\r\n"));
  EXPECT_EQ(session_.displayText(), "<0>音乐\r\n");
}

}  // namespace
}  // namespace norva::editor
