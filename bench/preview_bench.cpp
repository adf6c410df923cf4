// The preview engine's costs: decoding a 60 s MP3 through the whole engine (threads, ring,
// output headers, null device as fast as it goes) against libmpg123 decoding it alone, and the
// CPU the engine takes while playing in real time.
#include <benchmark/benchmark.h>
#include <lame/lame.h>
#include <mpg123.h>
#include <sys/resource.h>

#include <chrono>
#include <cmath>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <random>
#include <vector>

#include "audio/null_output.h"
#include "preview/service/mpeg_player.h"

namespace {

using Clock = std::chrono::steady_clock;

// `seconds` of 44.1 kHz stereo made of a few moving tones and a little noise, encoded at
// 128 kbit/s CBR by LAME.
std::vector<uint8_t> encodeTestSong(int seconds) {
  constexpr int kRate = 44100;
  const size_t frames = static_cast<size_t>(seconds) * kRate;
  std::vector<int16_t> pcm(frames * 2);
  std::mt19937 noise(7);
  std::uniform_int_distribution<int> hiss(-300, 300);
  for (size_t i = 0; i < frames; ++i) {
    const double t = static_cast<double>(i) / kRate;
    const double melody = std::sin(2 * M_PI * (220 + 110 * std::sin(t * 0.5)) * t);
    const double chord = std::sin(2 * M_PI * 330 * t) + 0.5 * std::sin(2 * M_PI * 495 * t);
    pcm[2 * i] = static_cast<int16_t>(6000 * melody + 3000 * chord + hiss(noise));
    pcm[2 * i + 1] = static_cast<int16_t>(3000 * melody + 6000 * chord + hiss(noise));
  }
  lame_global_flags* lame = lame_init();
  lame_set_in_samplerate(lame, kRate);
  lame_set_num_channels(lame, 2);
  lame_set_brate(lame, 128);
  lame_set_quality(lame, 7);
  lame_init_params(lame);
  std::vector<uint8_t> mp3(frames + frames / 4 + 7200);
  int used = lame_encode_buffer_interleaved(lame, pcm.data(), static_cast<int>(frames), mp3.data(),
                                            static_cast<int>(mp3.size()));
  used += lame_encode_flush(lame, mp3.data() + used, static_cast<int>(mp3.size()) - used);
  lame_close(lame);
  mp3.resize(static_cast<size_t>(std::max(used, 0)));
  return mp3;
}

const std::vector<uint8_t>& testSong() {
  static const std::vector<uint8_t> song = encodeTestSong(60);
  return song;
}

// Plays `file` through a fresh engine on a null device; returns when the end is reported.
int64_t playThroughEngine(const std::vector<uint8_t>& file, norva::audio::NullOutput::Pace pace,
                          double speed = 1.0) {
  std::mutex mutex;
  std::condition_variable changed;
  bool ended = false;
  norva::preview::MpegPlayer player(std::make_unique<norva::audio::NullOutput>(pace, speed));
  player.setEndCallback([&] {
    std::lock_guard lock(mutex);
    ended = true;
    changed.notify_all();
  });
  if (player.openImage(file) != norva::preview::OpenOutcome::Opened) return -1;
  std::unique_lock lock(mutex);
  changed.wait(lock, [&] { return ended; });
  lock.unlock();
  const int64_t frames = player.framesDecoded();
  player.stop();
  return frames;
}

int64_t decodeWithLibmpg123Alone(const std::vector<uint8_t>& file) {
  mpg123_init();
  int error = 0;
  mpg123_handle* mh = mpg123_new(nullptr, &error);
  mpg123_param(mh, MPG123_FLAGS, MPG123_QUIET, 0);
  mpg123_format_none(mh);
  mpg123_format(mh, 44100, MPG123_STEREO, MPG123_ENC_SIGNED_16);
  mpg123_open_feed(mh);
  mpg123_feed(mh, file.data(), file.size());
  std::vector<uint8_t> out(4608);
  int64_t frames = 0;
  for (;;) {
    off_t num = 0;
    unsigned char* audio = nullptr;
    size_t bytes = 0;
    const int rc = mpg123_decode_frame(mh, &num, &audio, &bytes);
    if (rc == MPG123_NEW_FORMAT) continue;
    if (rc != MPG123_OK) break;
    std::copy_n(audio, bytes, out.begin());  // the engine copies each frame too
    benchmark::DoNotOptimize(out.data());
    ++frames;
  }
  mpg123_delete(mh);
  return frames;
}

double seconds(Clock::duration d) {
  return std::chrono::duration<double>(d).count();
}

double cpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
         static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

void BM_Libmpg123Alone60s(benchmark::State& state) {
  const auto& song = testSong();
  for (auto _ : state) benchmark::DoNotOptimize(decodeWithLibmpg123Alone(song));
  state.counters["frames"] = static_cast<double>(decodeWithLibmpg123Alone(song));
}

// The engine's decoder alone, frame by frame on one thread, without the ring and the device.
void BM_FrameDecoderAlone60s(benchmark::State& state) {
  const auto& song = testSong();
  const auto info = norva::preview::analyseStream(song);
  norva::preview::MpegDecoder decoder;
  std::vector<uint8_t> block(4608);
  for (auto _ : state) {
    decoder.init(info->header);
    size_t pos = info->audioOffset;
    int64_t frames = 0;
    while (pos + 4 <= song.size()) {
      const auto result = decoder.decodeFrame(std::span<const uint8_t>(song).subspan(pos), block);
      if (result.inputUsed == 0) break;
      pos += result.inputUsed;
      ++frames;
    }
    benchmark::DoNotOptimize(frames);
  }
}

void BM_EngineMaxSpeed60s(benchmark::State& state) {
  const auto& song = testSong();
  for (auto _ : state)
    benchmark::DoNotOptimize(
        playThroughEngine(song, norva::audio::NullOutput::Pace::AsFastAsPossible));
}

// Both in turn, eleven times each. The machine is shared, so the ratio of the fastest runs
// (least disturbed) is the figure; the ratio of the medians is given beside it.
void BM_EngineOverLibmpg123Ratio(benchmark::State& state) {
  const auto& song = testSong();
  for (auto _ : state) {
    std::vector<double> engine, alone;
    for (int i = 0; i < 11; ++i) {
      auto start = Clock::now();
      decodeWithLibmpg123Alone(song);
      alone.push_back(seconds(Clock::now() - start));
      start = Clock::now();
      playThroughEngine(song, norva::audio::NullOutput::Pace::AsFastAsPossible);
      engine.push_back(seconds(Clock::now() - start));
    }
    std::sort(engine.begin(), engine.end());
    std::sort(alone.begin(), alone.end());
    state.counters["ratio_best"] = engine.front() / alone.front();
    state.counters["ratio_median"] = engine[5] / alone[5];
    state.counters["engine_best_ms"] = engine.front() * 1000;
    state.counters["libmpg123_best_ms"] = alone.front() * 1000;
  }
}

// Real-time playing of the first 10 s: CPU time of the whole process over wall time.
void BM_RealTimeCpu10s(benchmark::State& state) {
  const auto& song = testSong();
  // 10 s worth of frames: 383 frames of 417/418 bytes.
  const std::vector<uint8_t> tenSeconds(song.begin(), song.begin() + 383 * 418);
  for (auto _ : state) {
    const double cpu0 = cpuSeconds();
    const auto start = Clock::now();
    playThroughEngine(tenSeconds, norva::audio::NullOutput::Pace::RealTime);
    const double wall = seconds(Clock::now() - start);
    state.counters["cpu_percent_of_one_core"] = 100.0 * (cpuSeconds() - cpu0) / wall;
    state.counters["wall_s"] = wall;
  }
}

}  // namespace

BENCHMARK(BM_Libmpg123Alone60s)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FrameDecoderAlone60s)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EngineMaxSpeed60s)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EngineOverLibmpg123Ratio)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RealTimeCpu10s)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
