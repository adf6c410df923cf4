#pragma once
// A simulated player in a temporary folder, and checks of its images with the standard FAT
// tools (fsck.fat from dosfstools, mdir/mcopy from mtools).
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "test_support/run_command.h"
#include "test_support/temp_dir.h"
#include "usb/service/simulated_player.h"

namespace norva::usb {

inline std::vector<uint8_t> fileBytes(const std::filesystem::path& path) {
  std::error_code ec;
  std::vector<uint8_t> bytes(static_cast<size_t>(std::filesystem::file_size(path, ec)));
  if (ec) return {};
  std::ifstream in(path, std::ios::binary);
  in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return bytes;
}

inline void writeBytes(const std::filesystem::path& path, const std::vector<uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
}

inline std::vector<uint8_t> patternBytes(size_t size, uint8_t seed) {
  std::vector<uint8_t> data(size);
  for (size_t i = 0; i < size; ++i) data[i] = static_cast<uint8_t>(seed * 31 + i * 13 + (i >> 10));
  return data;
}

// fsck.fat -n found nothing wrong.
inline ::testing::AssertionResult fsckClean(const std::filesystem::path& image) {
  const CommandResult result = runCommand({"fsck.fat", "-n", image.string()});
  if (result.exitCode == 0) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "fsck.fat -n exit " << result.exitCode << "\n"
                                       << result.out << result.err;
}

// fsck.fat -n found nothing but clusters no file uses.
inline ::testing::AssertionResult fsckCleanApartFromLostClusters(
    const std::filesystem::path& image) {
  const CommandResult result = runCommand({"fsck.fat", "-n", image.string()});
  if (result.exitCode == 0) return ::testing::AssertionSuccess();
  std::istringstream lines(result.out + result.err);
  std::string line;
  while (std::getline(lines, line)) {
    if (line.empty() || line.rfind("fsck.fat ", 0) == 0 || line.rfind("Reclaimed ", 0) == 0 ||
        line == "Leaving filesystem unchanged." || line.rfind(image.string() + ":", 0) == 0)
      continue;
    return ::testing::AssertionFailure() << "fsck.fat -n reported: " << line << "\n" << result.out;
  }
  return ::testing::AssertionSuccess();
}

// The names mdir lists for the image's root, in directory order.
inline std::vector<std::string> mdirNames(const std::filesystem::path& image) {
  const CommandResult result = runCommand({"mdir", "-b", "-i", image.string(), "::"});
  EXPECT_EQ(result.exitCode, 0) << result.err;
  std::vector<std::string> names;
  std::istringstream lines(result.out);
  std::string line;
  while (std::getline(lines, line))
    if (line.rfind("::/", 0) == 0) names.push_back(line.substr(3));
  return names;
}

// A file of the image read back by mcopy (independently of our reader).
inline std::vector<uint8_t> mcopyOut(const std::filesystem::path& image, const std::string& name,
                                     const std::filesystem::path& folder) {
  const auto target = folder / "mcopy.out";
  std::filesystem::remove(target);
  const CommandResult result =
      runCommand({"mcopy", "-n", "-i", image.string(), "::/" + name, target.string()});
  EXPECT_EQ(result.exitCode, 0) << result.err;
  return fileBytes(target);
}

// A simulated player in a fresh temporary folder, named by NORVA_PLAYER_DIR while it lives.
class PlayerFolder {
 public:
  explicit PlayerFolder(uint32_t cardMiB = 0) : player_(temp_.path() / "player") {
    ::setenv("NORVA_PLAYER_DIR", player_.folder().c_str(), 1);
    const PlayerResult created = player_.create(cardMiB);
    EXPECT_TRUE(created.ok()) << toString(created.error);
    std::filesystem::create_directories(pc());
  }
  ~PlayerFolder() { ::unsetenv("NORVA_PLAYER_DIR"); }

  SimulatedPlayer& player() { return player_; }
  std::filesystem::path internal() const { return player_.folder() / "internal.img"; }
  std::filesystem::path external() const { return player_.folder() / "external.img"; }
  // A folder standing for the PC side.
  std::filesystem::path pc() const { return temp_.path() / "pc"; }
  std::filesystem::path pcFile(const std::string& name, const std::vector<uint8_t>& bytes) const {
    const auto path = pc() / name;
    writeBytes(path, bytes);
    return path;
  }

 private:
  TempDir temp_;
  SimulatedPlayer player_;
};

}  // namespace norva::usb
