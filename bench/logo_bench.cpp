// Logo converter core: reading the largest LGO file, fitting a camera-sized picture and the
// threshold conversion the slider runs on every release.
#include <benchmark/benchmark.h>

#include "logo/lgo_reader.h"
#include "logo/lgo_writer.h"
#include "logo/logo_conversion.h"

namespace {

using namespace norva::logo;

void BM_DecodeLargestLgo(benchmark::State& state) {
  std::vector<uint8_t> file(6 + kLogoStoreBytes, 0x5A);
  LgoHeader{0x82, 8, 800, 800}.serialize(std::span<uint8_t>(file).first<6>());
  for (auto _ : state) benchmark::DoNotOptimize(decodeLgo(file, std::nullopt));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * file.size()));
}
BENCHMARK(BM_DecodeLargestLgo);

void BM_FitPicture640x480(benchmark::State& state) {
  RgbImage picture(640, 480, Rgb{10, 200, 30});
  for (auto _ : state) benchmark::DoNotOptimize(fitPicture(picture));
}
BENCHMARK(BM_FitPicture640x480);

void BM_ConvertAndEncode128x64(benchmark::State& state) {
  RgbImage picture(128, 64);
  for (unsigned y = 0; y < 64; ++y)
    for (unsigned x = 0; x < 128; ++x)
      picture.at(x, y) = Rgb{static_cast<uint8_t>(x * 2), static_cast<uint8_t>(y * 4), 0};
  LogoBitmap logo;
  for (auto _ : state) {
    convertToLogo(picture, kThresholdDefault, logo);
    benchmark::DoNotOptimize(encodeLgo(logo, false));
  }
}
BENCHMARK(BM_ConvertAndEncode128x64);

}  // namespace

BENCHMARK_MAIN();
