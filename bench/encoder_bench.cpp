// The WAV to MP3 encoder service against the `lame` command on the same 60 s stereo 44.1 kHz
// WAV at the same settings (constant 128 kbit/s, joint stereo, quality 3; the command without
// its ReplayGain analysis, which the service does not do), in one run (goal: the service
// within 1.05x of the command). `lame` is found on PATH (Debian package lame, installed by
// scripts/install-deps.sh); without it that case is skipped with a note. The files live in a
// temporary folder ($TMPDIR). Both report `cpu_ms`, the processor time of one encoding (the
// service's own, the command's child process's), which a busy machine does not disturb as it
// does the wall time; compare those.
#include <benchmark/benchmark.h>
#include <sndfile.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "audio/service/lame_encoder.h"

namespace {

namespace fs = std::filesystem;

constexpr int kRate = 44100;
constexpr int kSeconds = 60;
constexpr int kBitrate = 128;
constexpr int kQuality = 3;

struct Workspace {
  fs::path folder;
  fs::path wav;

  Workspace() {
    std::string pattern = (fs::temp_directory_path() / "norva-encoder-bench-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) std::abort();
    folder = pattern;
    wav = folder / "music.wav";
    // Two tones and a little noise, so the encoder has something to work on.
    SF_INFO info{};
    info.samplerate = kRate;
    info.channels = 2;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE* file = sf_open(wav.c_str(), SFM_WRITE, &info);
    if (file == nullptr) std::abort();
    std::vector<short> samples(static_cast<size_t>(kRate) * 2);
    unsigned noise = 1;
    for (int second = 0; second < kSeconds; ++second) {
      for (int i = 0; i < kRate; ++i) {
        const double t = second + static_cast<double>(i) / kRate;
        noise = noise * 1103515245u + 12345u;
        const double jitter = static_cast<double>((noise >> 16) & 0x3FF) - 512;
        samples[2 * static_cast<size_t>(i)] =
            static_cast<short>(9000 * std::sin(2 * M_PI * 440 * t) + jitter);
        samples[2 * static_cast<size_t>(i) + 1] =
            static_cast<short>(7000 * std::sin(2 * M_PI * 660 * t + 1) + jitter);
      }
      sf_writef_short(file, samples.data(), kRate);
    }
    sf_close(file);
  }
  ~Workspace() {
    std::error_code ec;
    fs::remove_all(folder, ec);
  }
};

double msOf(const timeval& t) {
  return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_usec) / 1e3;
}

// Processor time (user and system) of this process, or of its waited-for children, in ms.
double cpuMs(int who) {
  rusage usage{};
  getrusage(who, &usage);
  return msOf(usage.ru_utime) + msOf(usage.ru_stime);
}

Workspace& workspace() {
  static Workspace w;
  return w;
}

void BM_EncoderService(benchmark::State& state) {
  norva::audio::LameEncoder encoder(norva::audio::Mp3Settings{kBitrate, kQuality});
  const fs::path target = workspace().folder / "service.mp3";
  const double before = cpuMs(RUSAGE_SELF);
  for (auto _ : state) {
    if (encoder.encode(workspace().wav, target) != norva::audio::EncodeOutcome::Encoded) {
      state.SkipWithError("the encoder service failed");
      break;
    }
  }
  state.counters["cpu_ms"] =
      (cpuMs(RUSAGE_SELF) - before) / static_cast<double>(state.iterations());
  state.counters["mp3_bytes"] = static_cast<double>(fs::file_size(target));
}
BENCHMARK(BM_EncoderService)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3);

void BM_LameCommand(benchmark::State& state) {
  if (std::system("command -v lame >/dev/null 2>&1") != 0) {
    state.SkipWithError("lame not installed (scripts/install-deps.sh installs it)");
    return;
  }
  const fs::path target = workspace().folder / "command.mp3";
  const std::string command = "lame --quiet --noreplaygain -m j -b " + std::to_string(kBitrate) +
                              " -q " + std::to_string(kQuality) + " '" + workspace().wav.string() +
                              "' '" + target.string() + "'";
  const double before = cpuMs(RUSAGE_CHILDREN);
  for (auto _ : state) {
    if (std::system(command.c_str()) != 0) {
      state.SkipWithError("lame failed");
      break;
    }
  }
  state.counters["cpu_ms"] =
      (cpuMs(RUSAGE_CHILDREN) - before) / static_cast<double>(state.iterations());
  state.counters["mp3_bytes"] = static_cast<double>(fs::file_size(target));
}
BENCHMARK(BM_LameCommand)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3);

}  // namespace

BENCHMARK_MAIN();
