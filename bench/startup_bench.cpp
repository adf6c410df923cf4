// Start-up of each program to its first window: process start until `--screenshot` has
// written the window and the program has ended, on the offscreen platform (goal: under 300 ms
// each). The programs are the installed ones under $NORVA_INSTALLED_PREFIX (for example /usr,
// or a `cmake --install` prefix), else those of the build tree. Each run has a fresh home,
// settings and registry folder; the device manager's run has an attached simulated player, as
// its window fills both panes from it.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

std::string shellQuoted(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

std::string program(const char* name, const char* buildTreeFile) {
  if (const char* prefix = std::getenv("NORVA_INSTALLED_PREFIX"); prefix && *prefix)
    return (std::filesystem::path(prefix) / "bin" / name).string();
  return buildTreeFile;
}

class Sandbox {
 public:
  Sandbox() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "startup-bench-XXXXXX").string();
    if (::mkdtemp(pattern.data()) != nullptr) folder_ = pattern;
    std::filesystem::create_directories(folder_ / "runtime");
    std::filesystem::permissions(folder_ / "runtime", std::filesystem::perms::owner_all);
  }
  ~Sandbox() {
    std::error_code ec;
    std::filesystem::remove_all(folder_, ec);
  }
  Sandbox(const Sandbox&) = delete;
  Sandbox& operator=(const Sandbox&) = delete;

  // The command in the sandbox's environment, its output thrown away.
  std::string command(const std::string& line) const {
    const std::string f = folder_.string();
    return "env QT_QPA_PLATFORM=offscreen HOME=" + shellQuoted(f) +
           " XDG_CONFIG_HOME=" + shellQuoted(f + "/config") +
           " XDG_DATA_HOME=" + shellQuoted(f + "/data") +
           " XDG_RUNTIME_DIR=" + shellQuoted(f + "/runtime") +
           " NORVA_REGISTRY_DIR=" + shellQuoted(f + "/registry") +
           " NORVA_PLAYER_DIR=" + shellQuoted(f + "/player") + " " + line + " >/dev/null 2>&1";
  }
  std::string png() const { return (folder_ / "first.png").string(); }

 private:
  std::filesystem::path folder_;
};

void runToScreenshot(benchmark::State& state, const std::string& path, bool withPlayer) {
  Sandbox sandbox;
  if (withPlayer) {
    const std::string norva = shellQuoted(program("norva", NORVA_BINARY));
    for (const char* step : {" player create", " player attach"}) {
      if (std::system(sandbox.command(norva + step).c_str()) != 0) {
        state.SkipWithError("norva could not make the simulated player");
        return;
      }
    }
  }
  const std::string line =
      sandbox.command(shellQuoted(path) + " --screenshot " + shellQuoted(sandbox.png()));
  for (auto _ : state) {
    if (std::system(line.c_str()) != 0) {
      state.SkipWithError((path + " --screenshot failed").c_str());
      break;
    }
  }
}

void BM_SontravaFirstWindow(benchmark::State& state) {
  runToScreenshot(state, program("sontrava", SONTRAVA_BINARY), false);
}
void BM_TrelliqFirstWindow(benchmark::State& state) {
  runToScreenshot(state, program("trelliq", TRELLIQ_BINARY), true);
}
void BM_GlyphaneFirstWindow(benchmark::State& state) {
  runToScreenshot(state, program("glyphane", GLYPHANE_BINARY), false);
}

BENCHMARK(BM_SontravaFirstWindow)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_TrelliqFirstWindow)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_GlyphaneFirstWindow)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
