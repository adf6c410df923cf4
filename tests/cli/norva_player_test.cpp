// norva player end to end: the real player library and its simulated player, driven through
// DeviceLink by the norva program; every change is checked against fsck.fat and mtools' own
// reading of the memory image.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "base/service/file_io.h"
#include "test_support/run_command.h"
#include "test_support/temp_dir.h"

namespace norva {
namespace {

const std::filesystem::path kData = std::filesystem::path(NORVA_TEST_DATA_DIR);

std::vector<uint8_t> bytesOf(const std::filesystem::path& path) {
  return readWholeFile(path).bytes;
}

CommandResult norva(std::vector<std::string> args) {
  args.insert(args.begin(), NORVA_BINARY);
  return runCommand(args);
}

std::vector<std::string> lines(const std::string& text) {
  std::vector<std::string> out;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) out.push_back(line);
  return out;
}

// The last TAB-separated field of every "ls" line: the names in play order.
std::vector<std::string> lsNames(const std::string& out) {
  std::vector<std::string> names;
  for (const auto& line : lines(out)) names.push_back(line.substr(line.rfind('\t') + 1));
  return names;
}

class NorvaPlayer : public ::testing::Test {
 protected:
  void SetUp() override {
    ::setenv("NORVA_PLAYER_DIR", player().c_str(), 1);
    ::setenv("XDG_CONFIG_HOME", (dir.path() / "config").c_str(), 1);
    ::setenv("NORVA_TCC730_LIBRARY", NORVA_TCC730_PATH, 1);
    ::setenv("MTOOLS_SKIP_CHECK", "1", 1);
    const auto created = norva({"player", "create", "--card", "8"});
    ASSERT_EQ(created.exitCode, 0) << created.err;
  }

  std::filesystem::path player() const { return dir.path() / "player"; }
  std::filesystem::path image() const { return player() / "internal.img"; }

  std::vector<std::string> listed() {
    const auto result = norva({"player", "ls"});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    return lsNames(result.out);
  }

  // fsck.fat finds nothing to repair and mtools lists the same names in the same order.
  void expectConsistent() {
    const auto fsck = runCommand({"fsck.fat", "-n", image().string()});
    EXPECT_EQ(fsck.exitCode, 0) << fsck.out << fsck.err;
    const auto mdir = runCommand({"mdir", "-b", "-i", image().string(), "::"});
    ASSERT_EQ(mdir.exitCode, 0) << mdir.err;
    std::vector<std::string> names;
    for (const auto& line : lines(mdir.out)) names.push_back(line.substr(line.rfind('/') + 1));
    EXPECT_EQ(names, listed());
  }

  std::filesystem::path song(const char* name) {
    const auto path = dir.path() / name;
    if (!std::filesystem::exists(path))
      std::filesystem::copy_file(kData / "audio" / "tone440_44k1_mono_cbr64_noinfo.mp3", path);
    return path;
  }

  TempDir dir;
};

TEST_F(NorvaPlayer, PutListsTheFilesInPlayOrder) {
  const auto a = kData / "audio" / "song_cn_speech_44k1_stereo_cbr128.mp3";
  const auto b = kData / "audio" / "sweep_22k05_stereo_vbr_xing.mp3";
  const auto c = kData / "audio" / "chirp_8k_mono_cbr16_mpeg25.mp3";
  const auto result = norva({"player", "put", a.string(), b.string(), c.string()});
  ASSERT_EQ(result.exitCode, 0) << result.err;
  const auto ls = norva({"player", "ls"});
  const auto rows = lines(ls.out);
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_TRUE(rows[0].starts_with("0\t308770\t")) << rows[0];
  EXPECT_TRUE(rows[1].starts_with("1\t66010\t")) << rows[1];
  EXPECT_TRUE(rows[2].starts_with("2\t8352\t")) << rows[2];
  EXPECT_EQ(lsNames(ls.out), (std::vector<std::string>{"song_cn_speech_44k1_stereo_cbr128.mp3",
                                                       "sweep_22k05_stereo_vbr_xing.mp3",
                                                       "chirp_8k_mono_cbr16_mpeg25.mp3"}));
  expectConsistent();
}

TEST_F(NorvaPlayer, ReorderRenameDeleteAndFetchBack) {
  ASSERT_EQ(norva({"player", "put", song("一.mp3").string(), song("two.mp3").string(),
                   song("three.mp3").string()})
                .exitCode,
            0);
  EXPECT_EQ(norva({"player", "up", "three.mp3"}).exitCode, 0);
  EXPECT_EQ(listed(), (std::vector<std::string>{"一.mp3", "three.mp3", "two.mp3"}));
  expectConsistent();
  EXPECT_EQ(norva({"player", "down", "一.mp3"}).exitCode, 0);
  EXPECT_EQ(listed(), (std::vector<std::string>{"three.mp3", "一.mp3", "two.mp3"}));
  EXPECT_EQ(norva({"player", "up", "three.mp3"}).exitCode, 1);  // at the top already
  EXPECT_EQ(norva({"player", "down", "two.mp3"}).exitCode, 1);  // at the bottom already
  EXPECT_EQ(listed(), (std::vector<std::string>{"three.mp3", "一.mp3", "two.mp3"}));
  EXPECT_EQ(norva({"player", "mv", "two.mp3", "Second Song.mp3"}).exitCode, 0);
  EXPECT_EQ(listed(), (std::vector<std::string>{"three.mp3", "一.mp3", "Second Song.mp3"}));
  expectConsistent();

  const auto out = dir.path() / "back";
  std::filesystem::create_directory(out);
  auto result = norva({"player", "get", "一.mp3", "Second Song.mp3", "-o", out.string()});
  ASSERT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(bytesOf(out / "一.mp3"), bytesOf(song("一.mp3")));
  EXPECT_EQ(bytesOf(out / "Second Song.mp3"), bytesOf(song("two.mp3")));

  // Fetching again: the overwrite question is answered from the command line.
  result = norva({"player", "get", "一.mp3", "-o", out.string(), "--on-exists", "cancel"});
  EXPECT_EQ(result.exitCode, 2);
  EXPECT_NE(result.err.find("文件已经存在."), std::string::npos) << result.err;

  EXPECT_EQ(norva({"player", "rm", "three.mp3", "Second Song.mp3"}).exitCode, 0);
  EXPECT_EQ(listed(), (std::vector<std::string>{"一.mp3"}));
  expectConsistent();
  EXPECT_EQ(norva({"player", "rm", "no such.mp3"}).exitCode, 1);
}

TEST_F(NorvaPlayer, FormatEmptiesTheDrive) {
  ASSERT_EQ(norva({"player", "put", song("a.mp3").string()}).exitCode, 0);
  EXPECT_EQ(norva({"player", "format"}).exitCode, 0);
  EXPECT_TRUE(listed().empty());
  expectConsistent();
  ASSERT_EQ(norva({"player", "put", song("b.mp3").string()}).exitCode, 0);
  EXPECT_EQ(norva({"player", "format", "--low"}).exitCode, 0);
  EXPECT_TRUE(listed().empty());
  expectConsistent();
}

TEST_F(NorvaPlayer, CardIsDriveOne) {
  ASSERT_EQ(norva({"player", "put", "--drive", "1", song("card.mp3").string()}).exitCode, 0);
  const auto result = norva({"player", "ls", "--drive", "1"});
  EXPECT_EQ(lsNames(result.out), (std::vector<std::string>{"card.mp3"}));
  EXPECT_TRUE(listed().empty());
  EXPECT_EQ(norva({"player", "fsck", "--drive", "1"}).exitCode, 0);
}

TEST_F(NorvaPlayer, FirmwareFromHexFiles) {
  auto result = norva({"player", "firmware", (kData / "hex" / "codec_fw_0x2000.hex").string()});
  EXPECT_EQ(result.exitCode, 0) << result.err;
  EXPECT_NE(result.err.find("请拔除USB!"), std::string::npos) << result.err;
  result = norva({"player", "firmware", "--boot", (kData / "hex" / "boot_fw_0x0000.hex").string()});
  EXPECT_EQ(result.exitCode, 0) << result.err;

  const auto bad = dir.path() / "bad.hex";
  std::ofstream(bad) << ":020000001122CB\n:02000200334484\n";
  result = norva({"player", "firmware", "--boot", bad.string()});
  EXPECT_EQ(result.exitCode, 2);
  EXPECT_NE(result.err.find("第2行的校验和错误"), std::string::npos) << result.err;
  EXPECT_EQ(result.err.find("请拔除USB!"), std::string::npos) << result.err;
  expectConsistent();
}

TEST_F(NorvaPlayer, FontPutInfoGetErase) {
  const auto font = dir.path() / "LCD12.fot";
  {
    std::ofstream out(font, std::ios::binary);
    for (int i = 0; i < 5000; ++i) out.put(static_cast<char>(i * 7));
  }
  auto result = norva({"player", "font", "put", font.string()});
  ASSERT_EQ(result.exitCode, 0) << result.err;
  result = norva({"player", "font", "info"});
  EXPECT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(result.out, "LCD12.fot\t5000\n");
  // Replacing it is answered like every output: by default yes; cancel stops.
  EXPECT_EQ(norva({"player", "font", "put", font.string(), "--on-exists", "cancel"}).exitCode, 2);
  EXPECT_EQ(norva({"player", "font", "put", font.string()}).exitCode, 0);

  const auto out = dir.path() / "fonts";
  std::filesystem::create_directory(out);
  result = norva({"player", "font", "get", out.string()});
  EXPECT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(bytesOf(out / "LCD12.fot"), bytesOf(font));
  EXPECT_EQ(norva({"player", "font", "erase"}).exitCode, 0);
  EXPECT_NE(norva({"player", "font", "info"}).exitCode, 0);
  EXPECT_EQ(norva({"player", "status"}).out.find("font: none") != std::string::npos, true);
}

TEST_F(NorvaPlayer, DetachedPlayerIsNotThere) {
  ASSERT_EQ(norva({"player", "detach"}).exitCode, 0);
  const auto result = norva({"player", "ls"});
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(result.err, "norva: no player attached\n");
  ASSERT_EQ(norva({"player", "attach"}).exitCode, 0);
  EXPECT_EQ(norva({"player", "ls"}).exitCode, 0);
}

TEST_F(NorvaPlayer, StatusShowsCapacity) {
  const auto result = norva({"player", "status"});
  ASSERT_EQ(result.exitCode, 0) << result.err;
  const auto rows = lines(result.out);
  ASSERT_GE(rows.size(), 5u);
  EXPECT_EQ(rows[0], "player: " + player().string() + " (attached)");
  EXPECT_TRUE(rows[1].starts_with("drive 0: 33")) << rows[1];
  EXPECT_TRUE(rows[2].starts_with("drive 1: ")) << rows[2];
}

}  // namespace
}  // namespace norva
