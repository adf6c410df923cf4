// Player library: putting a 20 MB file on a fresh 32 MiB internal memory through the simulated
// player, against mcopy (mtools) doing the same into the same kind of fresh image, and listing
// a drive that holds 512 entries (goal: under 5 ms).
#include <benchmark/benchmark.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "usb/service/simulated_player.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;
using norva::usb::DriveListing;
using norva::usb::SimulatedPlayer;

constexpr size_t kSongBytes = 20 * 1000 * 1000;

class BenchFolder {
 public:
  BenchFolder() {
    std::string pattern = (fs::temp_directory_path() / "norva-usb-bench-XXXXXX").string();
    if (::mkdtemp(pattern.data()) != nullptr) path_ = pattern;
  }
  ~BenchFolder() {
    std::error_code ec;
    fs::remove_all(path_, ec);
  }
  const fs::path& path() const { return path_; }

 private:
  fs::path path_;
};

fs::path writeSong(const fs::path& folder) {
  const fs::path song = folder / "a twenty megabyte song.mp3";
  std::vector<char> bytes(kSongBytes);
  for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>(i * 2654435761u >> 24);
  std::ofstream(song, std::ios::binary)
      .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return song;
}

// A fresh player in `folder`, replacing any before it.
SimulatedPlayer freshPlayer(const fs::path& folder) {
  std::error_code ec;
  fs::remove_all(folder, ec);
  SimulatedPlayer player(folder);
  (void)player.create(0);
  return player;
}

bool haveMcopy() {
  return std::system("command -v mcopy >/dev/null 2>&1") == 0;
}

int runMcopy(const fs::path& image, const fs::path& file) {
  std::vector<std::string> args = {"mcopy", "-i", image.string(), file.string(), "::"};
  std::vector<char*> argv;
  for (auto& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);
  pid_t pid = 0;
  if (::posix_spawnp(&pid, "mcopy", nullptr, nullptr, argv.data(), environ) != 0) return -1;
  int status = 0;
  ::waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

void BM_PutSongThroughSimulatedPlayer(benchmark::State& state) {
  BenchFolder folder;
  const fs::path song = writeSong(folder.path());
  for (auto _ : state) {
    state.PauseTiming();
    SimulatedPlayer player = freshPlayer(folder.path() / "player");
    state.ResumeTiming();
    if (!player.download(0, song).ok()) state.SkipWithError("download failed");
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * kSongBytes));
}
BENCHMARK(BM_PutSongThroughSimulatedPlayer)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_PutSongWithMcopy(benchmark::State& state) {
  if (!haveMcopy()) {
    state.SkipWithError("mcopy is not installed");
    return;
  }
  BenchFolder folder;
  const fs::path song = writeSong(folder.path());
  for (auto _ : state) {
    state.PauseTiming();
    const SimulatedPlayer player = freshPlayer(folder.path() / "player");
    state.ResumeTiming();
    if (runMcopy(player.folder() / "internal.img", song) != 0) state.SkipWithError("mcopy failed");
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * kSongBytes));
}
BENCHMARK(BM_PutSongWithMcopy)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ListDriveOf512Entries(benchmark::State& state) {
  BenchFolder folder;
  SimulatedPlayer player = freshPlayer(folder.path() / "player");
  for (int i = 0; i < 512; ++i) {
    const fs::path file = folder.path() / ("S" + std::to_string(i) + ".MP3");
    std::ofstream(file) << i;
    if (!player.download(0, file).ok()) state.SkipWithError("filling the drive failed");
    fs::remove(file);
  }
  DriveListing listing;
  for (auto _ : state) {
    if (!player.listDrive(0, listing).ok()) state.SkipWithError("listing failed");
    benchmark::DoNotOptimize(listing);
  }
  if (listing.entries.size() != 512) state.SkipWithError("not 512 entries");
}
BENCHMARK(BM_ListDriveOf512Entries)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
