// The media player playing the fixture MP3 in real time on the null device: the CPU it takes
// (whole process over wall time) and how far the position it reports is from the null device's
// clock, the time played since the device opened.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <filesystem>
#include <thread>
#include <vector>

#include "audio/borrowed_output.h"
#include "audio/null_output.h"
#include "audio/service/media_player.h"

namespace {

using Clock = std::chrono::steady_clock;
using norva::audio::BorrowedOutput;
using norva::audio::MediaOpenOutcome;
using norva::audio::MediaPlayer;
using norva::audio::NullOutput;

const std::filesystem::path kSong =
    std::filesystem::path(NORVA_BENCH_DATA_DIR) / "audio" / "song_cn_speech_44k1_stereo_cbr128.mp3";

double cpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
         static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

double seconds(Clock::duration d) {
  return std::chrono::duration<double>(d).count();
}

// Ten seconds of the song in real time; the benchmark thread only sleeps meanwhile.
void BM_MediaPlayerRealTimeCpu10s(benchmark::State& state) {
  for (auto _ : state) {
    NullOutput device(NullOutput::Pace::RealTime);
    MediaPlayer player(std::make_unique<BorrowedOutput>(device));
    const double cpu0 = cpuSeconds();
    const auto start = Clock::now();
    if (player.openAndPlay(kSong) != MediaOpenOutcome::Playing) {
      state.SkipWithError("the fixture MP3 does not open");
      return;
    }
    std::this_thread::sleep_until(start + std::chrono::seconds(10));
    player.close();
    const double wall = seconds(Clock::now() - start);
    state.counters["cpu_percent_of_one_core"] = 100.0 * (cpuSeconds() - cpu0) / wall;
    state.counters["wall_s"] = wall;
  }
}

// The position read every 2 ms for 5 s against the null device's clock (its virtual time
// since open, which in real time is the wall time since open). Positive: the position lags.
void BM_MediaPlayerPositionError5s(benchmark::State& state) {
  for (auto _ : state) {
    NullOutput device(NullOutput::Pace::RealTime);
    MediaPlayer player(std::make_unique<BorrowedOutput>(device));
    const auto before = Clock::now();
    if (player.openAndPlay(kSong) != MediaOpenOutcome::Playing) {
      state.SkipWithError("the fixture MP3 does not open");
      return;
    }
    const auto after = Clock::now();
    // The device's clock starts somewhere inside openAndPlay: the middle, give or take half
    // of the call's length (reported as open_ms).
    const auto start = before + (after - before) / 2;
    std::vector<double> errors;
    while (Clock::now() - start < std::chrono::seconds(5)) {
      std::this_thread::sleep_for(std::chrono::milliseconds(2));
      const double heard = player.position();
      errors.push_back(1000.0 * (seconds(Clock::now() - start) - heard));
    }
    player.close();
    std::vector<double> absolute(errors.size());
    std::transform(errors.begin(), errors.end(), absolute.begin(),
                   [](double e) { return std::fabs(e); });
    std::sort(absolute.begin(), absolute.end());
    double sum = 0;
    for (double e : errors) sum += e;
    state.counters["mean_lag_ms"] = sum / static_cast<double>(errors.size());
    state.counters["median_abs_error_ms"] = absolute[absolute.size() / 2];
    state.counters["p99_abs_error_ms"] = absolute[absolute.size() * 99 / 100];
    state.counters["max_abs_error_ms"] = absolute.back();
    state.counters["open_ms"] = 1000.0 * seconds(after - before);
    state.counters["samples"] = static_cast<double>(errors.size());
  }
}

}  // namespace

BENCHMARK(BM_MediaPlayerRealTimeCpu10s)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MediaPlayerPositionError5s)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
