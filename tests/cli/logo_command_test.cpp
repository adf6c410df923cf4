// norva logo, run as a program: the same refusals and files as the logo converter.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <algorithm>
#include <array>
#include <cstdio>
#include <string>

#include "base/file_io.h"
#include "test_support/temp_dir.h"

namespace norva {
namespace {

struct CliRun {
  int exitCode = -1;
  std::string out;  // stdout and stderr together
};

CliRun norva(const std::string& args) {
  CliRun run;
  const std::string command = std::string(NORVA_CLI_PATH) + " logo " + args + " 2>&1";
  FILE* pipe = ::popen(command.c_str(), "r");
  if (!pipe) return run;
  std::array<char, 4096> buffer{};
  size_t n = 0;
  while ((n = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0)
    run.out.append(buffer.data(), n);
  const int status = ::pclose(pipe);
  run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

const std::string kWbmp = std::string(NORVA_TEST_DATA_DIR) + "/pictures/logo_128x64.wbmp";

TEST(NorvaLogo, ConvertsSavesAndAsksBeforeReplacing) {
  TempDir dir;
  const std::string out = (dir.path() / "boot.lgo").string();
  ASSERT_EQ(norva("'" + kWbmp + "' -o '" + out + "'").exitCode, 0);
  const auto saved = readWholeFile(out);
  ASSERT_EQ(saved.bytes.size(), 1030u);
  EXPECT_EQ(saved.bytes[0], 0x01);
  EXPECT_EQ(saved.bytes[4], 0x40);

  const CliRun again = norva("'" + kWbmp + "' -o '" + out + "' --threshold 0");
  EXPECT_EQ(again.exitCode, 2);
  EXPECT_NE(again.out.find("[LOGO编辑工具] 该文件已经存在，要覆盖吗？"), std::string::npos);
  EXPECT_EQ(norva("'" + kWbmp + "' -o '" + out + "' --overwrite").exitCode, 0);

  // The saved logo shows the same picture as its source.
  const CliRun fromLgo = norva("--show '" + out + "'");
  const CliRun fromWbmp = norva("--show '" + kWbmp + "'");
  ASSERT_EQ(fromLgo.exitCode, 0);
  EXPECT_EQ(fromLgo.out, fromWbmp.out);
  EXPECT_EQ(fromLgo.out.rfind("128 x 64\n\u2588\u2580\u2580", 0), 0u);
  EXPECT_EQ(std::count(fromLgo.out.begin(), fromLgo.out.end(), '\n'), 33);
}

TEST(NorvaLogo, RefusesWhatTheProgramRefuses) {
  TempDir dir;
  const std::string bad = (dir.path() / "bad.lgo").string();
  {
    FILE* f = std::fopen(bad.c_str(), "wb");
    std::fputs("not a logo", f);
    std::fclose(f);
  }
  const CliRun failed = norva("--show '" + bad + "'");
  EXPECT_EQ(failed.exitCode, 1);
  EXPECT_NE(failed.out.find("[LOGO编辑工具] 该文件不能作为可识别的图象数据文件打开！"),
            std::string::npos);
  const std::string png = std::string(NORVA_TEST_DATA_DIR) + "/pictures/logo_128x64.png";
  EXPECT_EQ(norva("--show '" + png + "'").exitCode, 1);
  EXPECT_EQ(norva("--show '" + kWbmp + "' --threshold 766").exitCode, 64);
  EXPECT_EQ(norva("'" + kWbmp + "'").exitCode, 64);
}

}  // namespace
}  // namespace norva
