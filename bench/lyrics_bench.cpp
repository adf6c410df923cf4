// Speed of the lyric tools on the largest inputs they accept: the wrap of a whole editor text
// as one screen, reading a full timed text, and compiling plus relaying a full LRC file.
#include <benchmark/benchmark.h>

#include <string>

#include "base/gbk_codec.h"
#include "base/recording_prompter.h"
#include "lyrics/screen_wrap.h"
#include "lyrics/service/layout_warning.h"
#include "lyrics/service/lyr_compiler.h"
#include "lyrics/timed_text_reader.h"

namespace {

using namespace norva;

// Mixed lyric text: words, spaces and Chinese characters (GBK).
std::string lyricWords(size_t bytes) {
  const std::string pattern = *utf8ToGbk("早上好 Good morning 风吹过绿色的田野 singing along ");
  std::string text;
  while (text.size() < bytes) text += pattern;
  text.resize(bytes);
  if (static_cast<unsigned char>(text.back()) >= 0x80) text.back() = 'x';
  return text;
}

// A 32767-byte LRC file the compiler accepts: 255 timed lines whose relayed image fills most
// of the 32768 bytes, the rest made up by tag lines.
std::string largestLrc() {
  std::string text = "[ti:benchmark]\r\n";
  std::string body;
  for (int i = 0; i < 255; ++i) {
    char tag[16];
    std::snprintf(tag, sizeof tag, "[%02d:%02d.%02d]", i / 60, i % 60, i % 100);
    body += tag + lyricWords(108) + "\r\n";
  }
  while (text.size() + body.size() + 200 < 32767) text += "[ar:" + std::string(190, 'a') + "]\r\n";
  text += "[al:" + std::string(32767 - text.size() - body.size() - 7, 'b') + "]\r\n";
  return text + body;
}

void BM_WrapWholeText(benchmark::State& state) {
  const std::string text = lyricWords(32767);
  for (auto _ : state) benchmark::DoNotOptimize(lyr::wrapScreenText(text));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_WrapWholeText);

void BM_ReadTimedText(benchmark::State& state) {
  std::string text;
  for (int i = 0; text.size() < 32700; ++i)
    text +=
        "<" + std::to_string(i * 1000) + ">" + lyricWords(40) + "<br>" + lyricWords(30) + "\r\n";
  text.resize(32767);
  for (auto _ : state) {
    RecordingPrompter prompter({}, Answer::Yes);
    lyr::LayoutWarning warning(prompter, lyr::LayoutWarning::Path::Editor);
    benchmark::DoNotOptimize(lyr::readTimedText(text, lyr::FontMode::Large, warning));
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_ReadTimedText);

void BM_CompileAndRelayLrc(benchmark::State& state) {
  const std::string text = largestLrc();
  for (auto _ : state) {
    RecordingPrompter prompter({}, Answer::Yes);
    lyr::CLyrCompiler compiler(prompter);
    if (compiler.compileLrcText(text) != lyr::CompileStatus::Ok || !compiler.relayImage()) {
      state.SkipWithError("the benchmark input does not compile");
      break;
    }
    benchmark::DoNotOptimize(compiler.image().bytes.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
  state.counters["input_bytes"] = static_cast<double>(text.size());
}
BENCHMARK(BM_CompileAndRelayLrc);

}  // namespace

BENCHMARK_MAIN();
