// norva's lyric subcommands, run as a user would: files on disk, exit codes, messages on stderr.
#include <gtest/gtest.h>

#include "base/service/file_io.h"
#include "test_support/run_command.h"
#include "test_support/temp_dir.h"

namespace norva {
namespace {

const std::filesystem::path kLyrics = std::filesystem::path(NORVA_TEST_DATA_DIR) / "lyrics";

std::vector<uint8_t> bytesOf(const std::filesystem::path& path) {
  return readWholeFile(path).bytes;
}

CommandResult norva(std::vector<std::string> args) {
  args.insert(args.begin(), NORVA_BINARY);
  return runCommand(args);
}

struct GoldenCase {
  std::vector<std::string> args;  // before "-o OUT"
  const char* expected;
  const char* message;
};

TEST(NorvaLyricCommands, SamplesCompileToTheCheckedFiles) {
  const std::vector<GoldenCase> cases{
      {{"lrc", (kLyrics / "song_cn.lrc").string()}, "song_cn.lrc.lyr", ""},
      {{"lrc", (kLyrics / "short_en.lrc").string()}, "short_en.lrc.lyr", ""},
      {{"lrc", (kLyrics / "song_cn.lrc").string(), "--font", "small"},
       "song_cn.lrc.editor.lyr",
       "[LRC歌词转换软件] 转换完毕!\n"},
      {{"lyr", (kLyrics / "song_cn.tly").string()},
       "song_cn.tly.lyr",
       "[NORVA MP3歌词编辑软件] 保存成功!\n"},
      {{"lyr", (kLyrics / "song_cn.smi").string()},
       "song_cn.smi.lyr",
       "[NORVA MP3歌词编辑软件] 保存成功!\n"},
  };
  for (const auto& c : cases) {
    TempDir dir;
    auto args = c.args;
    args.push_back("-o");
    args.push_back((dir.path() / "out.lyr").string());
    CommandResult run = norva(args);
    EXPECT_EQ(run.exitCode, 0) << c.expected << ": " << run.err;
    EXPECT_EQ(run.err, c.message) << c.expected;
    EXPECT_EQ(bytesOf(dir.path() / "out.lyr"), bytesOf(kLyrics / "expected" / c.expected))
        << c.expected;
  }
}

TEST(NorvaLyricCommands, WarningAnswersDecideWhatHappens) {
  TempDir dir;
  const std::string input = (kLyrics / "wrap_mixed.tly").string();
  const std::string out = (dir.path() / "w.lyr").string();

  CommandResult cancel = norva({"lyr", input, "-o", out, "--on-warning", "cancel"});
  EXPECT_EQ(cancel.exitCode, 2);
  EXPECT_NE(cancel.err.find("第2段文本太长或换行符太多"), std::string::npos);
  EXPECT_NE(cancel.err.find("-> cancel"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(out));

  CommandResult yes = norva({"lyr", input, "-o", out, "--on-warning", "yes"});
  EXPECT_EQ(yes.exitCode, 0);
  EXPECT_EQ(bytesOf(out), bytesOf(kLyrics / "expected" / "wrap_mixed.tly.lyr"));

  CommandResult byDefault = norva({"lyr", input, "-o", out, "--font", "small"});
  EXPECT_EQ(byDefault.exitCode, 0);
  EXPECT_EQ(bytesOf(out)[13], 1);  // two-byte text makes the large class whatever the choice
}

TEST(NorvaLyricCommands, PathsWithSpacesAndChineseCharactersWork) {
  TempDir dir;
  const auto folder = dir.path() / "歌词 文件夹";
  std::filesystem::create_directory(folder);
  std::filesystem::copy_file(kLyrics / "song_cn.lrc", folder / "小 歌.lrc");
  CommandResult lrc =
      norva({"lrc", (folder / "小 歌.lrc").string(), "-o", (folder / "小 歌.lyr").string()});
  ASSERT_EQ(lrc.exitCode, 0) << lrc.err;
  CommandResult unlyr = norva({"unlyr", (folder / "小 歌.lyr").string()});
  ASSERT_EQ(unlyr.exitCode, 0);
  // GBK for "<1000>小小的屏幕亮起来" and CR LF line ends.
  EXPECT_EQ(unlyr.out.substr(0, 6), "<1000>");
  EXPECT_EQ(unlyr.out.substr(6, 4), "\xD0\xA1\xD0\xA1");
  EXPECT_NE(unlyr.out.find("Good <br>morning\r\n"), std::string::npos);
  CommandResult toFile =
      norva({"unlyr", (folder / "小 歌.lyr").string(), "-o", (folder / "回 读.tly").string()});
  ASSERT_EQ(toFile.exitCode, 0);
  const auto written = bytesOf(folder / "回 读.tly");
  EXPECT_EQ(std::string(written.begin(), written.end()), unlyr.out);
}

TEST(NorvaLyricCommands, RefusalsAndUsageErrorsHaveTheirExitCodes) {
  TempDir dir;
  const std::string out = (dir.path() / "x.lyr").string();
  CommandResult missing = norva({"lrc", (dir.path() / "none.lrc").string(), "-o", out});
  EXPECT_EQ(missing.exitCode, 1);
  EXPECT_EQ(missing.err, "[Compile Error information] Load file is error!\nnorva: " +
                             (dir.path() / "none.lrc").string() +
                             ": cannot be read: No such file or directory\n");

  CommandResult notLyr = norva({"unlyr", (kLyrics / "song_cn.lrc").string()});
  EXPECT_EQ(notLyr.exitCode, 1);

  CommandResult unwritable = norva(
      {"lrc", (kLyrics / "song_cn.lrc").string(), "-o", (dir.path() / "no" / "x.lyr").string()});
  EXPECT_EQ(unwritable.exitCode, 1);
  EXPECT_EQ(unwritable.err, "[Compile Error information] Create file failure!\nnorva: " +
                                (dir.path() / "no" / "x.lyr").string() +
                                ": cannot be written: No such file or directory\n");

  EXPECT_EQ(norva({}).exitCode, 64);
  EXPECT_EQ(norva({"lrc"}).exitCode, 64);
  EXPECT_EQ(norva({"lrc", "a.lrc"}).exitCode, 64);
  EXPECT_EQ(norva({"lyr", "a", "-o", out, "--font", "huge"}).exitCode, 64);
  EXPECT_EQ(norva({"lyr", "a", "-o", out, "--on-warning", "maybe"}).exitCode, 64);
  EXPECT_EQ(norva({"nonsense"}).exitCode, 64);
  EXPECT_EQ(norva({"help"}).exitCode, 0);
}

TEST(NorvaScreens, ListsEveryScreenWithItsTimeAndLines) {
  TempDir dir;
  // Font class 1, three screens: 12 "Hi", 754 "中" CR "b", 65535 "".
  std::vector<uint8_t> file(1024, 0);
  const std::vector<uint8_t> header{0x02, 0x00, 'N', 'o', 'r', 'v',  'a',
                                    ' ',  '3',  '9', '8', 0,   0x10, 0x01};
  std::copy(header.begin(), header.end(), file.begin());
  const std::vector<uint8_t> body{
      0,   0,   0, 0,    0,    0,    0,   0,  0,    0,    0, 0,  0, 0, 0, 0,  // name
      1,   0,   0, 0,    0,    45,   0,   3,  // font class, reserve, text end, count
      0,   12,  0, 36,   0x02, 0xF2, 0,   39, 0xFF, 0xFF, 0, 44,  // index
      'H', 'i', 0, 0xD6, 0xD0, '\r', 'b', 0,  0};
  std::copy(body.begin(), body.end(), file.begin() + 512);
  const auto path = dir.path() / "three.lyr";
  ASSERT_TRUE(writeFileAtomically(path, file).ok());

  CommandResult run = norva({"screens", path.string()});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.out, path.string() +
                         ": 3 screens, font class 1\n"
                         "[00:01.2] Hi\n"
                         "[01:15.4] 中\n"
                         "          b\n"
                         "[109:13.5] \n");
  EXPECT_EQ(run.err, "");
}

TEST(NorvaScreens, RefusesWhatIsNotALyrFile) {
  TempDir dir;
  const auto path = dir.path() / "song.lrc";
  ASSERT_TRUE(writeFileAtomically(path, std::string_view("[00:01.00]a\r\n")).ok());
  CommandResult notLyr = norva({"screens", path.string()});
  EXPECT_EQ(notLyr.exitCode, 1);
  EXPECT_EQ(notLyr.out, "");
  EXPECT_EQ(notLyr.err, "norva: " + path.string() + ": not a LYR file\n");
  CommandResult missing = norva({"screens", (dir.path() / "none.lyr").string()});
  EXPECT_EQ(missing.exitCode, 1);
  EXPECT_EQ(norva({"screens"}).exitCode, 64);
  EXPECT_EQ(norva({"screens", "a.lyr", "b.lyr"}).exitCode, 64);
}

void writeText(const std::filesystem::path& path, std::string_view text) {
  ASSERT_TRUE(writeFileAtomically(path.string(), text).ok());
}

std::string textOf(const std::filesystem::path& path) {
  const std::vector<uint8_t> bytes = bytesOf(path);
  return std::string(bytes.begin(), bytes.end());
}

TEST(NorvaSamiCommands, SmiWritesTheEditorsExportAndTimetableReadsItBack) {
  TempDir dir;
  // LF line ends load as CR LF, as the editor loads them.
  writeText(dir.path() / "a.tly",
            "Title\n<1000>first\nsecond\n<2500>\xC4\xE3 abcd efghijklmnopqrs");
  CommandResult smi =
      norva({"smi", (dir.path() / "a.tly").string(), "-o", (dir.path() / "a.smi").string()});
  ASSERT_EQ(smi.exitCode, 0) << smi.err;
  const std::string sami = textOf(dir.path() / "a.smi");
  const std::string body = sami.substr(sami.find("<BODY>\r\n") + 8);
  EXPECT_EQ(body,
            "<Sync Start=1000>\r\n<P Class=ENCC>first\r\n<P Class=ENCC>second\r\n\r\n"
            "<Sync Start=2500>\r\n<P Class=ENCC>\xC4\xE3 abcd efghijklmnopqrs\r\n\r\n"
            "</BODY>\r\n</SAMI>");

  CommandResult readable = norva({"timetable", (dir.path() / "a.smi").string()});
  EXPECT_EQ(readable.exitCode, 0) << readable.err;
  EXPECT_EQ(readable.out,
            "0\t \n"
            "1000\tfirst  second\n"
            "2500\t你 abcd  | efghijklmnopqrs\n");

  const std::string table = (dir.path() / "t.bin").string();
  CommandResult bytes = norva({"timetable", (dir.path() / "a.smi").string(), "-o", table});
  EXPECT_EQ(bytes.exitCode, 0) << bytes.err;
  const std::vector<uint8_t> laidOut = bytesOf(table);
  ASSERT_EQ(laidOut.size(), 1056u);
  EXPECT_EQ(std::vector<uint8_t>(laidOut.begin(), laidOut.begin() + 23),
            (std::vector<uint8_t>{0, 3, 0, 0, 0, 0, 1, 0,  0, 0, 1, 0,
                                  0, 1, 0, 2, 0, 2, 0, 50, 1, 0, 17}));
}

TEST(NorvaSamiCommands, TimetableRefusesAFileWithoutBodyAndNotesACut) {
  TempDir dir;
  writeText(dir.path() / "none.smi", "<SAMI><SYNC Start=0>x</SAMI>");
  CommandResult none = norva({"timetable", (dir.path() / "none.smi").string()});
  EXPECT_EQ(none.exitCode, 1);
  EXPECT_EQ(none.out, "");
  EXPECT_NE(none.err.find("none.smi: no <BODY> ... </BODY>"), std::string::npos) << none.err;

  writeText(dir.path() / "late.smi", "<BODY><SYNC Start=0>a<SYNC Start=15360000>b</BODY>");
  CommandResult late = norva({"timetable", (dir.path() / "late.smi").string()});
  EXPECT_EQ(late.exitCode, 0);
  EXPECT_EQ(late.out, "0\ta\n");
  EXPECT_NE(late.err.find("left out"), std::string::npos) << late.err;

  CommandResult usage = norva({"smi", (dir.path() / "late.smi").string()});
  EXPECT_EQ(usage.exitCode, 64);
}

}  // namespace
}  // namespace norva
