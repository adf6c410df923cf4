// The batch converters' speed. Text files for the player: `norva txt16` on a 1 MiB GBK text
// against `iconv -f CP936 -t UTF-16LE` on the same file, both run as processes (goal: at least as
// fast), and the conversion alone in memory. LRC files: `norva batch-lrc` on 500 LRC files as a
// process, and the run in the process (goal: 2,000 files a second or more; see items_per_second).
// The files are written to a temporary folder at start ($TMPDIR): every output is flushed to
// disk before it replaces an old file, so on a disk-backed folder the flushes set the pace; run
// with TMPDIR=/dev/shm to see the converters' own speed.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "base/recording_prompter.h"
#include "base/service/file_io.h"
#include "lyrics/service/lrc_batch.h"
#include "lyrics/text_encoding_conversion.h"

namespace {

namespace fs = std::filesystem;

constexpr size_t kTextBytes = 1048576;
constexpr int kLrcFiles = 500;

struct Workspace {
  fs::path folder;
  fs::path text;
  std::vector<fs::path> lrcs;
  std::vector<uint8_t> textBytes;

  Workspace() {
    std::string pattern = (fs::temp_directory_path() / "norva-batch-bench-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) std::abort();
    folder = pattern;
    // Lyric-like text: GBK lines of Chinese with some ASCII, CR LF, exactly 1 MiB.
    const std::string line =
        "\xD6\xD0\xCE\xC4\xB8\xE8\xB4\xCA lyric line \xB5\xDA\xD2\xBB\xD0\xD0\r\n";
    std::string content;
    while (content.size() + line.size() <= kTextBytes) content += line;
    content.append(kTextBytes - content.size(), 'a');
    textBytes.assign(content.begin(), content.end());
    text = folder / "big.txt";
    std::ofstream(text, std::ios::binary).write(content.data(), static_cast<long>(content.size()));

    fs::create_directories(folder / "lrc");
    for (int i = 0; i < kLrcFiles; ++i) {
      std::string lrc = "[ti:song " + std::to_string(i) + "]\r\n";
      for (int s = 0; s < 30; ++s)
        lrc += "[00:" + std::to_string(10 + s) + ".50]\xB5\xDA" + std::to_string(s) + " line\r\n";
      const fs::path path = folder / "lrc" / ("song" + std::to_string(i) + ".lrc");
      std::ofstream(path, std::ios::binary).write(lrc.data(), static_cast<long>(lrc.size()));
      lrcs.push_back(path);
    }
    fs::create_directories(folder / "out");
  }
  ~Workspace() {
    std::error_code ec;
    fs::remove_all(folder, ec);
  }
};

Workspace& workspace() {
  static Workspace w;
  return w;
}

std::string quoted(const fs::path& path) {
  return "'" + path.string() + "'";
}

void BM_Txt16Process(benchmark::State& state) {
  const std::string command = std::string(NORVA_BINARY) + " txt16 " + quoted(workspace().text) +
                              " -o " + quoted(workspace().folder / "out") + " >/dev/null 2>&1";
  for (auto _ : state)
    if (std::system(command.c_str()) != 0) state.SkipWithError("norva txt16 failed");
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * kTextBytes);
}
BENCHMARK(BM_Txt16Process)->Unit(benchmark::kMillisecond)->UseRealTime();

// What every norva process pays before it converts anything: loading the program and its
// libraries.
void BM_NorvaStartup(benchmark::State& state) {
  const std::string command = std::string(NORVA_BINARY) + " --version >/dev/null 2>&1";
  for (auto _ : state)
    if (std::system(command.c_str()) != 0) state.SkipWithError("norva --version failed");
}
BENCHMARK(BM_NorvaStartup)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_IconvProcess(benchmark::State& state) {
  if (std::system("command -v iconv >/dev/null 2>&1") != 0) {
    state.SkipWithError("iconv not installed");
    return;
  }
  const fs::path out = workspace().folder / "iconv.txt";
  const std::string command =
      "iconv -f CP936 -t UTF-16LE " + quoted(workspace().text) + " > " + quoted(out);
  for (auto _ : state)
    if (std::system(command.c_str()) != 0) state.SkipWithError("iconv failed");
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * kTextBytes);
  // Both made the same text (ours with its byte order mark in front).
  const auto ours = norva::readWholeFile(workspace().folder / "out" / "big.txt").bytes;
  const auto theirs = norva::readWholeFile(out).bytes;
  if (ours.size() != theirs.size() + 2 ||
      !std::equal(theirs.begin(), theirs.end(), ours.begin() + 2))
    state.SkipWithError("iconv and norva txt16 differ (run BM_Txt16Process first)");
}
BENCHMARK(BM_IconvProcess)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ConvertTextInMemory(benchmark::State& state) {
  const auto& bytes = workspace().textBytes;
  for (auto _ : state) benchmark::DoNotOptimize(norva::lyr::convertTextForPlayer(bytes));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * kTextBytes);
}
BENCHMARK(BM_ConvertTextInMemory)->Unit(benchmark::kMillisecond);

void BM_BatchLrcProcess(benchmark::State& state) {
  const std::string command = std::string(NORVA_BINARY) + " batch-lrc " +
                              quoted(workspace().folder / "lrc") + "/*.lrc -o " +
                              quoted(workspace().folder / "out") + " >/dev/null 2>&1";
  for (auto _ : state)
    if (std::system(command.c_str()) != 0) state.SkipWithError("norva batch-lrc failed");
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * kLrcFiles);
}
BENCHMARK(BM_BatchLrcProcess)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_LrcBatchInProcess(benchmark::State& state) {
  norva::lyr::FileEntryList inputs;
  for (const fs::path& path : workspace().lrcs) inputs.add(*norva::lyr::fileEntryOnDisk(path));
  const std::string out = (workspace().folder / "out").string();
  for (auto _ : state) {
    norva::RecordingPrompter prompter;
    norva::lyr::BatchControl control;
    norva::lyr::FileEntryList outputs;
    const auto run = norva::lyr::runLrcBatch(prompter, control, inputs, out, outputs);
    if (run.written != static_cast<size_t>(kLrcFiles))
      state.SkipWithError("not every file written");
  }
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * kLrcFiles);
}
BENCHMARK(BM_LrcBatchInProcess)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
