// norva hex2bin and the player state commands that need no player library, run as a user
// would: files on disk, exit codes, messages on stderr.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "base/service/file_io.h"
#include "test_support/run_command.h"
#include "test_support/temp_dir.h"

namespace norva {
namespace {

const std::filesystem::path kHex = std::filesystem::path(NORVA_TEST_DATA_DIR) / "hex";

std::vector<uint8_t> bytesOf(const std::filesystem::path& path) {
  return readWholeFile(path).bytes;
}

CommandResult norva(std::vector<std::string> args) {
  args.insert(args.begin(), NORVA_BINARY);
  return runCommand(args);
}

TEST(NorvaHex2bin, CodecFileGivesTheImageFrom0x2000) {
  TempDir dir;
  const auto out = dir.path() / "codec.bin";
  const auto result =
      norva({"hex2bin", (kHex / "codec_fw_0x2000.hex").string(), "-o", out.string()});
  EXPECT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(bytesOf(out), bytesOf(kHex / "codec_fw_0x2000.image.bin"));
}

TEST(NorvaHex2bin, BootOffsetKeepsEverythingFromAddressZero) {
  TempDir dir;
  const auto out = dir.path() / "boot.bin";
  const auto result =
      norva({"hex2bin", (kHex / "codec_fw_0x2000.hex").string(), "-o", out.string(), "--boot"});
  ASSERT_EQ(result.exitCode, 0) << result.err;
  const auto image = bytesOf(out);
  ASSERT_EQ(image.size(), 0x3000u);  // data at 0x2000..0x2FFF seen from 0
  EXPECT_EQ(std::vector<uint8_t>(image.begin(), image.begin() + 0x2000),
            std::vector<uint8_t>(0x2000, 0));
  EXPECT_EQ(std::vector<uint8_t>(image.begin() + 0x2000, image.end()),
            bytesOf(kHex / "codec_fw_0x2000.image.bin"));
}

TEST(NorvaHex2bin, ARefusedFileWritesNothingAndNamesTheLine) {
  TempDir dir;
  const auto in = dir.path() / "bad.hex";
  std::ofstream(in) << ":020000001122CB\r\n:02000200334484\r\n:00000001FF\r\n";
  const auto out = dir.path() / "bad.bin";
  auto result = norva({"hex2bin", in.string(), "-o", out.string()});
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(result.err,
            "[Intel HEX] 固件文件无法转换，没有发送到播放器：第2行的校验和错误\nnorva: " +
                in.string() + ": not a firmware file the player takes (bad checksum)\n");
  EXPECT_FALSE(std::filesystem::exists(out));
  // An older file of that name stays as it was.
  std::ofstream(out) << "older";
  result = norva({"hex2bin", in.string(), "-o", out.string()});
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(bytesOf(out), (std::vector<uint8_t>{'o', 'l', 'd', 'e', 'r'}));
}

TEST(NorvaHex2bin, DataOnlyBelowTheOffsetIsAnEmptyImage) {
  TempDir dir;
  const auto out = dir.path() / "empty.bin";
  const auto result =
      norva({"hex2bin", (kHex / "boot_fw_0x0000.hex").string(), "-o", out.string()});
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_NE(result.err.find("转换后的固件映像为空"), std::string::npos) << result.err;
  EXPECT_FALSE(std::filesystem::exists(out));
}

TEST(NorvaHex2bin, UsageErrors) {
  EXPECT_EQ(norva({"hex2bin"}).exitCode, 64);
  EXPECT_EQ(norva({"hex2bin", "a.hex"}).exitCode, 64);
  EXPECT_EQ(norva({"hex2bin", "a.hex", "-o"}).exitCode, 64);
  EXPECT_EQ(norva({"hex2bin", "a.hex", "-o", "b", "--bogus"}).exitCode, 64);
  EXPECT_EQ(norva({"hex2bin", "/no/such.hex", "-o", "/tmp/never.bin"}).exitCode, 1);
}

class NorvaPlayerState : public ::testing::Test {
 protected:
  void SetUp() override {
    ::setenv("NORVA_PLAYER_DIR", (dir.path() / "player").c_str(), 1);
    ::setenv("XDG_CONFIG_HOME", (dir.path() / "config").c_str(), 1);
  }
  TempDir dir;
};

TEST_F(NorvaPlayerState, CreateDetachAttach) {
  auto result = norva({"player", "attach"});
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(result.err, "norva: no player in the state folder\n");
  result = norva({"player", "create", "--card", "8"});
  ASSERT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(std::filesystem::file_size(dir.path() / "player" / "internal.img"), 33554432u);
  EXPECT_EQ(std::filesystem::file_size(dir.path() / "player" / "external.img"), 8388608u);
  EXPECT_TRUE(std::filesystem::exists(dir.path() / "player" / "attached"));
  EXPECT_EQ(norva({"player", "fsck"}).exitCode, 0);
  EXPECT_EQ(norva({"player", "fsck", "--drive", "1"}).exitCode, 0);
  EXPECT_EQ(norva({"player", "detach"}).exitCode, 0);
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "player" / "attached"));
  result = norva({"player", "status"});
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_EQ(result.out, "player: " + (dir.path() / "player").string() + " (detached)\n");
  EXPECT_EQ(norva({"player", "attach"}).exitCode, 0);
  EXPECT_TRUE(std::filesystem::exists(dir.path() / "player" / "attached"));
  EXPECT_EQ(norva({"player", "create"}).exitCode, 1);  // one exists already
}

TEST_F(NorvaPlayerState, CardSizeAndUsage) {
  EXPECT_EQ(norva({"player", "create", "--card", "64"}).exitCode, 1);
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "player" / "internal.img"));
  EXPECT_EQ(norva({"player", "create", "--card", "big"}).exitCode, 64);
  EXPECT_EQ(norva({"player"}).exitCode, 64);
  EXPECT_EQ(norva({"player", "ls", "--drive", "2"}).exitCode, 64);
  EXPECT_EQ(norva({"player", "get", "x", "--on-exists", "maybe"}).exitCode, 64);
  EXPECT_EQ(norva({"player", "status"}).out,
            "player: " + (dir.path() / "player").string() + " (none)\n");
}

}  // namespace
}  // namespace norva
