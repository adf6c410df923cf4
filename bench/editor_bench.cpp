// The lyric editor's open and convert-to-LYR on the largest text it opens: a 32,767-byte
// Chinese timed text, read from disk, converted, and written as a LYR file (atomically, so the
// figure includes the flush to disk).
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <stdexcept>
#include <string>

#include "base/gbk_codec.h"
#include "base/recording_prompter.h"
#include "editor/service/editor_session.h"
#include "editor/service/scripted_file_chooser.h"

namespace {

using namespace norva;
using namespace norva::editor;

// Short tagged paragraphs of Chinese text, one a second, filling exactly 32,767 bytes; the
// last paragraph is cut to fit and ends on a whole character.
std::string largestTimedText() {
  const std::string words = *utf8ToGbk("小小的屏幕亮起来一行一行的歌词早上好风吹过绿色的田野");
  std::string text;
  for (int second = 0;; ++second) {
    char tag[16];
    std::snprintf(tag, sizeof tag, "<%d>", second * 1000);
    const size_t start = static_cast<size_t>(second % 10) * 2;
    std::string paragraph = tag + words.substr(start, 14) + "\r\n";
    if (text.size() + paragraph.size() > 32767) {
      const size_t room = 32767 - text.size();
      text += std::string(room % 2, ' ') + words.substr(0, room - room % 2);
      return text;
    }
    text += paragraph;
  }
}

void BM_OpenAndConvertToLyr(benchmark::State& state) {
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() / ("editor_bench_" + std::to_string(::getpid()));
  std::filesystem::create_directories(folder);
  const std::string text = largestTimedText();
  if (text.size() != 32767) throw std::logic_error("the text must be 32,767 bytes");
  const std::filesystem::path input = folder / "largest.tly";
  std::ofstream(input, std::ios::binary)
      .write(text.data(), static_cast<std::streamsize>(text.size()));

  RecordingPrompter prompter({}, Answer::Yes);
  ScriptedFileChooser chooser;
  EditorSession session(prompter, chooser);
  for (auto _ : state) {
    chooser.push(ChosenFile{folder / "largest.lyr", 0});
    if (session.openPath(input.string()) != CommandOutcome::Done ||
        session.convertToLyr() != CommandOutcome::Done) {
      state.SkipWithError("open or convert failed");
      break;
    }
    prompter.messages.clear();
  }
  state.counters["lyr_bytes"] =
      static_cast<double>(std::filesystem::file_size(folder / "largest.lyr"));
  std::filesystem::remove_all(folder);
}
BENCHMARK(BM_OpenAndConvertToLyr)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
