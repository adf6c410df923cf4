// Device manager: Intel HEX to firmware image. Our converter (in memory, and through the file
// level norva uses) against `objcopy -I ihex -O binary` run as a process, on a 1 MiB firmware
// written as Intel HEX at the start.
#include <benchmark/benchmark.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "base/service/file_io.h"
#include "device/intel_hex.h"
#include "device/service/hex_file.h"

namespace {

using namespace norva::device;

constexpr size_t kFirmwareBytes = size_t{1} << 20;

// 1 MiB of firmware from 0x2000 on: 16-byte data records, type 04 records at every 64 KiB.
struct Firmware {
  std::filesystem::path folder;
  std::filesystem::path hex;
  std::string text;

  Firmware() {
    char pattern[] = "/tmp/norva-bench-XXXXXX";
    folder = ::mkdtemp(pattern);
    hex = folder / "firmware.hex";
    uint32_t seed = 12345;
    char line[64];
    uint32_t upper = 0xFFFFFFFF;
    for (uint32_t address = kCodecImageOffset; address < kCodecImageOffset + kFirmwareBytes;
         address += 16) {
      if ((address >> 16) != upper) {
        upper = address >> 16;
        const unsigned sum = 2 + 4 + (upper >> 8) + (upper & 0xFF);
        std::snprintf(line, sizeof line, ":02000004%04X%02X\n", upper,
                      (0x100 - (sum & 0xFF)) & 0xFF);
        text += line;
      }
      unsigned sum = 16 + ((address >> 8) & 0xFF) + (address & 0xFF);
      std::snprintf(line, sizeof line, ":10%04X00", address & 0xFFFF);
      text += line;
      for (int i = 0; i < 16; ++i) {
        seed = seed * 1103515245u + 12345u;
        const unsigned byte = (seed >> 16) & 0xFF;
        sum += byte;
        std::snprintf(line, sizeof line, "%02X", byte);
        text += line;
      }
      std::snprintf(line, sizeof line, "%02X\n", (0x100 - (sum & 0xFF)) & 0xFF);
      text += line;
    }
    text += ":00000001FF\n";
    std::ofstream(hex, std::ios::binary) << text;
  }
  ~Firmware() {
    std::error_code ec;
    std::filesystem::remove_all(folder, ec);
  }
};

const Firmware& firmware() {
  static const Firmware f;
  return f;
}

void BM_ConvertInMemory(benchmark::State& state) {
  const auto& text = firmware().text;
  const std::span<const uint8_t> bytes(reinterpret_cast<const uint8_t*>(text.data()), text.size());
  for (auto _ : state) {
    auto result = convertIntelHex(bytes, kCodecImageOffset);
    if (result.image.size() != kFirmwareBytes) state.SkipWithError("wrong image size");
    benchmark::DoNotOptimize(result);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_ConvertInMemory)->Unit(benchmark::kMillisecond);

void BM_Hex2binFiles(benchmark::State& state) {
  const auto out = firmware().folder / "ours.bin";
  for (auto _ : state) {
    const auto result = ConvertIntelHex(firmware().hex, out, kCodecImageOffset);
    if (result.outcome != HexOutcome::Converted) state.SkipWithError("refused");
  }
}
BENCHMARK(BM_Hex2binFiles)->Unit(benchmark::kMillisecond)->UseRealTime();

// The same through the norva program, started like objcopy, for a like-for-like comparison.
void BM_NorvaHex2binProcess(benchmark::State& state) {
  const auto out = firmware().folder / "norva.bin";
  const std::string command = std::string("'") + NORVA_BINARY + "' hex2bin '" +
                              firmware().hex.string() + "' -o '" + out.string() + "' >/dev/null";
  for (auto _ : state) {
    if (std::system(command.c_str()) != 0) state.SkipWithError("norva hex2bin failed");
  }
}
BENCHMARK(BM_NorvaHex2binProcess)->Unit(benchmark::kMillisecond)->UseRealTime();

// objcopy writes from the lowest address of the file, which here is the image offset, so its
// output is the same image.
void BM_ObjcopyProcess(benchmark::State& state) {
  const auto out = firmware().folder / "objcopy.bin";
  const std::string command = "objcopy -I ihex -O binary '" + firmware().hex.string() + "' '" +
                              out.string() + "' 2>/dev/null";
  if (std::system("command -v objcopy >/dev/null 2>&1") != 0) {
    state.SkipWithError("objcopy not installed");
    return;
  }
  for (auto _ : state) {
    if (std::system(command.c_str()) != 0) state.SkipWithError("objcopy failed");
  }
  const auto ours = norva::readWholeFile(firmware().folder / "ours.bin").bytes;
  const auto theirs = norva::readWholeFile(out).bytes;
  if (!ours.empty() && ours != theirs) state.SkipWithError("objcopy gave another image");
}
BENCHMARK(BM_ObjcopyProcess)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();

// The explorer window: a memory view of a drive holding 512 entries filled from the cache
// (goal under 50 ms), and the longest stall of the user-interface thread while the worker
// downloads a 20 MB file to the simulated player (goal under 50 ms). Both on the offscreen
// platform with the player library of the build and a simulated player in a fresh folder.
#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <array>
#include <memory>
#include <utility>

#include "base/recording_prompter.h"
#include "device/app/device_worker.h"
#include "device/app/explorer_services.h"
#include "device/app/gui_thread_prompter.h"
#include "device/app/memory_view.h"
#include "device/service/player_state.h"

namespace {

using namespace norva::device;

class NoCommands : public DeviceCommandHandler {
 public:
  bool handles(int) const override { return false; }
  bool isEnabled(int) const override { return false; }
  DeviceCommandOutcome run(int, QWidget*) override { return DeviceCommandOutcome::NotHandled; }
  DeviceCommandOutcome showMediumInformation(int, QWidget*) override {
    return DeviceCommandOutcome::NotHandled;
  }
};

// One simulated player with its link, worker and services, made on first use.
struct Explorer {
  std::filesystem::path folder;
  norva::RecordingPrompter recorded;
  std::unique_ptr<GuiThreadPrompter> prompter;
  std::unique_ptr<DeviceSettings> settings;
  std::unique_ptr<DeviceLink> link;
  std::unique_ptr<DeviceWorker> worker;
  NoCommands handler;
  std::unique_ptr<ExplorerServices> services;

  Explorer() {
    static int argc = 1;
    static char name[] = "device_bench";
    static char* argv[] = {name, nullptr};
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    if (QCoreApplication::instance() == nullptr) new QApplication(argc, argv);
    char pattern[] = "/tmp/norva-bench-XXXXXX";
    folder = ::mkdtemp(pattern);
    ::setenv("NORVA_PLAYER_DIR", (folder / "player").c_str(), 1);
    ::setenv("NORVA_TCC730_LIBRARY", NORVA_TCC730_PATH, 1);
    FolderPlayerState(folder / "player").create(std::nullopt);
    prompter = std::make_unique<GuiThreadPrompter>(recorded, *QCoreApplication::instance());
    settings = std::make_unique<DeviceSettings>((folder / "Trelliq.ini").string());
    link = std::make_unique<DeviceLink>(*prompter, *settings);
    worker = std::make_unique<DeviceWorker>();
    services = std::make_unique<ExplorerServices>(
        ExplorerServices{*link, *settings, *prompter, *worker, handler, {}, {}});
    link->Initialize();
    int count = 0;
    int mask = 0;
    link->Connect(true, count, mask);
  }
};

// Each benchmark has its own player; the library follows NORVA_PLAYER_DIR as it is now.
Explorer& explorer(int which) {
  static std::array<std::unique_ptr<Explorer>, 2> instances;
  auto& instance = instances.at(static_cast<size_t>(which));
  if (!instance) instance = std::make_unique<Explorer>();
  ::setenv("NORVA_PLAYER_DIR", (instance->folder / "player").c_str(), 1);
  return *instance;
}

void BM_MemoryViewFills512Entries(benchmark::State& state) {
  Explorer& e = explorer(0);
  // Google Benchmark calls this more than once; the drive is filled the first time.
  static bool filled = false;
  TransferList files;
  for (int i = 0; i < norva::device::kCacheEntries; ++i) {
    char name[16];
    std::snprintf(name, sizeof name, "S%04d.MP3", i);
    const auto path = e.folder / name;
    std::ofstream(path) << name;
    files.add({path.string(), -1, 0, {}});
  }
  if (!std::exchange(filled, true) && e.link->DownloadFiles(nullptr, 0, files) != 0) {
    for (const auto& message : e.recorded.messages)
      std::fprintf(stderr, "%s\n", message.text.c_str());
    state.SkipWithError("download failed");
  }
  MemoryView view(*e.services, 0);
  view.reload(true);
  if (view.list().topLevelItemCount() != norva::device::kCacheEntries)
    state.SkipWithError("the view does not show 512 entries");
  for (auto _ : state) view.reload(false);
}
BENCHMARK(BM_MemoryViewFills512Entries)->Unit(benchmark::kMillisecond);

void BM_LongestStallDuring20MBDownload(benchmark::State& state) {
  Explorer& e = explorer(1);
  const auto song = e.folder / "big song.mp3";
  std::ofstream(song, std::ios::binary) << std::string(20'000'000, '\x55');
  TransferList files;
  files.add({song.string(), -1, 0, {}});
  double worstMs = 0;
  for (auto _ : state) {
    QEventLoop loop;
    QElapsedTimer sinceLast;
    double longest = 0;
    QTimer tick;
    tick.setInterval(1);
    QObject::connect(&tick, &QTimer::timeout, [&] {
      longest = std::max(longest, static_cast<double>(sinceLast.nsecsElapsed()) / 1e6);
      sinceLast.restart();
    });
    QObject::connect(e.worker.get(), &DeviceWorker::finished, &loop, &QEventLoop::quit);
    sinceLast.start();
    tick.start();
    uint32_t code = 0;
    QObject::connect(e.worker.get(), &DeviceWorker::finished, &loop, [&](quint32 c) { code = c; });
    e.worker->start([&] { return e.link->DownloadFiles(nullptr, 0, files); });
    loop.exec();
    if (code != 0) state.SkipWithError("the download failed");
    tick.stop();
    worstMs = std::max(worstMs, longest);
    state.PauseTiming();
    TransferList listed;
    e.link->ListDrive(0, listed, true);
    for (const auto& item : listed.items())
      if (item.text == "big song.mp3") e.link->DeleteEntry(nullptr, 0, item.index, item.text);
    state.ResumeTiming();
  }
  state.counters["longest_stall_ms"] = worstMs;
}
BENCHMARK(BM_LongestStallDuring20MBDownload)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
