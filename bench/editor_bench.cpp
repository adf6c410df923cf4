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

#ifdef NORVA_EDITOR_BENCH_WINDOW
#include <QApplication>
#include <QWindow>
#include <cstdlib>

#include "desktop/file_dialogs.h"
#include "editor/app/sontrava_window.h"
#include "editor/app/view_services.h"
#endif

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

#ifdef NORVA_EDITOR_BENCH_WINDOW
// Start-up opens no dialog.
class NoDialogs : public desktop::FileDialogs {
 public:
  std::optional<QString> chooseOpen(const desktop::FileDialogSetup&, const QString&) override {
    return std::nullopt;
  }
  std::optional<QString> chooseSave(const desktop::FileDialogSetup&, const QString&) override {
    return std::nullopt;
  }
};

// Start-up of the editor's window on the offscreen platform: the window made with its
// environment, a Chinese timed text opened, shown, and events processed until it is exposed.
// The Qt application object is made once, as the program makes it before its window.
void BM_StartupToFirstShownWindow(benchmark::State& state) {
  ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
  static int argc = 1;
  static char name[] = "editor_bench";
  static char* argv[] = {name, nullptr};
  static QApplication* app = new QApplication(argc, argv);
  (void)app;
  const std::filesystem::path file =
      std::filesystem::path(NORVA_BENCH_DATA_DIR) / "lyrics" / "song_cn.tly";
  RecordingPrompter prompter;
  NoDialogs dialogs;
  QtFontChooser fonts;
  QtTextPrinter printer;
  for (auto _ : state) {
    SontravaEnvironment env;
    env.prompter = &prompter;
    env.dialogs = &dialogs;
    env.fonts = &fonts;
    env.printer = &printer;
    SontravaWindow window(env);
    if (window.openPath(QString::fromStdString(file.string())) != CommandOutcome::Done) {
      state.SkipWithError("the example did not open");
      break;
    }
    window.show();
    while (window.windowHandle() == nullptr || !window.windowHandle()->isExposed())
      QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    QCoreApplication::processEvents();
  }
}
BENCHMARK(BM_StartupToFirstShownWindow)->Unit(benchmark::kMillisecond);

// The whole program, process start to the written screenshot of its first window.
void BM_ProgramToScreenshot(benchmark::State& state) {
  const std::string png = (std::filesystem::temp_directory_path() /
                           ("editor_bench_" + std::to_string(::getpid()) + ".png"))
                              .string();
  const std::string command = std::string("QT_QPA_PLATFORM=offscreen '") + SONTRAVA_BINARY + "' '" +
                              NORVA_BENCH_DATA_DIR + "/lyrics/song_cn.tly' --screenshot '" + png +
                              "' 2>/dev/null";
  for (auto _ : state) {
    if (std::system(command.c_str()) != 0) {
      state.SkipWithError("sontrava failed");
      break;
    }
  }
  std::filesystem::remove(png);
}
BENCHMARK(BM_ProgramToScreenshot)->Unit(benchmark::kMillisecond);
#endif

}  // namespace

BENCHMARK_MAIN();
