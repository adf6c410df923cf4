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
