// norva txt16, batch-lrc, batch-mpr: the lyric editor's batch converters for scripts. Each input
// gets one line on standard output (done, or skipped and why); the converters' messages go to
// standard error as "[caption] text".
#include <array>
#include <charconv>
#include <chrono>
#include <condition_variable>
#include <csignal>
#include <filesystem>
#include <functional>
#include <iostream>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <thread>

#include "audio/service/lame_encoder.h"
#include "audio/service/wav_to_mp3_run.h"
#include "cli/cli_prompter.h"
#include "cli/command_line.h"
#include "cli/commands.h"
#include "cli/interrupt_catcher.h"
#include "cli/refusal.h"
#include "lyrics/file_entry_list.h"
#include "lyrics/mpr_image.h"
#include "lyrics/service/batch_run.h"
#include "lyrics/service/lrc_batch.h"
#include "lyrics/service/mpr_batch.h"
#include "lyrics/service/text_batch.h"

namespace norva::cli {
namespace {

// The inputs as list rows, in the order given; a file that cannot be read, or is named twice,
// gets its line at once and counts as not converted.
struct InputRows {
  lyr::FileEntryList rows;
  size_t refused = 0;
};

InputRows inputRows(const std::vector<std::string>& paths) {
  InputRows inputs;
  for (const std::string& path : paths) {
    const std::optional<lyr::FileEntry> entry = lyr::fileEntryOnDisk(path);
    const std::optional<std::string> why = entry ? std::nullopt : whyUnreadable(path);
    if (!entry) {
      std::cout << path << ": skipped: " << (why ? "cannot be read: " + *why : "not a file")
                << '\n';
      ++inputs.refused;
    } else if (!inputs.rows.add(*entry)) {
      std::cout << path << ": skipped: named twice\n";
      ++inputs.refused;
    }
  }
  return inputs;
}

void printReport(const lyr::BatchFileReport& report) {
  if (report.status == lyr::BatchFileStatus::Written) {
    std::cout << report.input.path() << ": done: " << report.output.string() << '\n';
    return;
  }
  std::cout << report.input.path() << ": " << toString(report.status);
  if (report.status == lyr::BatchFileStatus::SameOutputName)
    std::cout << " (" << report.output.string() << ')';
  else if (!report.detail.empty())
    std::cout << " (" << report.detail << ')';
  std::cout << '\n';
}

// A folder the command needs: refused unless it is one.
std::optional<int> refuseUnlessFolder(const std::string& folder) {
  std::error_code ec;
  if (std::filesystem::is_directory(folder, ec)) return std::nullopt;
  if (const auto why = whyUnreadable(folder); why && !std::filesystem::exists(folder, ec))
    return refuseFile(folder, "cannot be read: " + *why);
  return refuseFile(folder, "is not a folder");
}

int exitCodeOf(const lyr::BatchRun& run, const InputRows& inputs) {
  if (run.result == lyr::BatchRunResult::Stopped) return kExitCancelled;
  if (run.result != lyr::BatchRunResult::Finished) return kExitRefused;
  return run.notWritten == 0 && inputs.refused == 0 ? kExitDone : kExitRefused;
}

// What every batch command reads: inputs, -o DIR and --on-warning.
struct BatchArguments {
  std::vector<std::string> inputs;
  std::string outputFolder;
  Answer answer = Answer::No;
};

std::optional<BatchArguments> batchArguments(const Arguments& args, std::string_view usageLine,
                                             int& exitCode) {
  auto usage = [&](std::string_view message) {
    exitCode = usageError(message, usageLine);
    return std::nullopt;
  };
  if (!args.ok()) return usage(args.error());
  if (args.positionals().empty()) return usage("no input file");
  const auto output = args.value("-o");
  if (!output || output->empty()) return usage("-o DIR needed");
  BatchArguments batch{args.positionals(), *output, Answer::No};
  if (auto word = args.value("--on-warning");
      word && !CliPrompter::parseAnswer(*word, batch.answer))
    return usage("--on-warning takes yes, no or cancel");
  if (const auto refused = refuseUnlessFolder(batch.outputFolder)) {
    exitCode = *refused;
    return std::nullopt;
  }
  return batch;
}

using BatchRunner = std::function<lyr::BatchRun(
    Prompter&, lyr::BatchControl&, const lyr::FileEntryList& inputs, lyr::FileEntryList& outputs)>;

// Runs a converter over the inputs, a line a file, the converter's messages on stderr; gives
// the exit status.
int runOverInputs(const BatchArguments& batch, const BatchRunner& runner) {
  const InputRows inputs = inputRows(batch.inputs);
  CliPrompter prompter(std::cerr, batch.answer);
  lyr::BatchControl control;
  lyr::FileEntryList outputs;
  return exitCodeOf(runner(prompter, control, inputs.rows, outputs), inputs);
}

// A converter into one folder (txt16, batch-lrc).
using FolderBatch = lyr::BatchRun (*)(Prompter&, lyr::BatchControl&, const lyr::FileEntryList&,
                                      std::string_view, lyr::FileEntryList&,
                                      const lyr::BatchFileObserver&);

int runFolderBatch(Args rawArgs, std::string_view usageLine,
                   std::span<const std::string_view> valued, FolderBatch convert) {
  const Arguments args(rawArgs, valued, {});
  int exitCode = kExitUsage;
  const auto batch = batchArguments(args, usageLine, exitCode);
  if (!batch) return exitCode;
  return runOverInputs(*batch, [&](Prompter& prompter, lyr::BatchControl& control,
                                   const lyr::FileEntryList& inputs, lyr::FileEntryList& outputs) {
    return convert(prompter, control, inputs, batch->outputFolder, outputs, printReport);
  });
}

}  // namespace

int runTxt16(Args rawArgs) {
  constexpr std::array<std::string_view, 1> kValued{"-o"};
  return runFolderBatch(rawArgs, "txt16 IN... -o DIR", kValued, lyr::runTextBatch);
}

int runBatchLrc(Args rawArgs) {
  constexpr std::array<std::string_view, 2> kValued{"-o", "--on-warning"};
  return runFolderBatch(rawArgs, "batch-lrc IN... -o DIR [--on-warning yes|no|cancel]", kValued,
                        lyr::runLrcBatch);
}

int runBatchMpr(Args rawArgs) {
  constexpr std::string_view kUsage =
      "batch-mpr MP3... --lyrics DIR --kind tly|lyr|lrc -o DIR [--on-warning yes|no|cancel]";
  constexpr std::array<std::string_view, 4> kValued{"-o", "--on-warning", "--lyrics", "--kind"};
  const Arguments args(rawArgs, kValued, {});
  if (args.ok()) {
    const auto lyrics = args.value("--lyrics");
    if (!lyrics || lyrics->empty()) return usageError("--lyrics DIR needed", kUsage);
    const auto kind = args.value("--kind");
    if (!kind || (*kind != "tly" && *kind != "lyr" && *kind != "lrc"))
      return usageError("--kind takes tly, lyr or lrc", kUsage);
  }
  int exitCode = kExitUsage;
  const auto batch = batchArguments(args, kUsage, exitCode);
  if (!batch) return exitCode;
  const lyr::MprBatchFolders folders{*args.value("--lyrics"), batch->outputFolder};
  if (const auto refused = refuseUnlessFolder(folders.lyrics)) return *refused;
  const std::string kindWord = *args.value("--kind");
  const lyr::LyricKind kind = kindWord == "tly"   ? lyr::LyricKind::TimedText
                              : kindWord == "lyr" ? lyr::LyricKind::Lyr
                                                  : lyr::LyricKind::Lrc;
  return runOverInputs(*batch, [&](Prompter& prompter, lyr::BatchControl& control,
                                   const lyr::FileEntryList& inputs, lyr::FileEntryList& outputs) {
    return lyr::runMprBatch(prompter, control, inputs, folders, kind, outputs, printReport);
  });
}

}  // namespace norva::cli

// norva wav2mp3: the lyric editor's WAV to MP3 converter for scripts. The encoder works on a
// thread of its own; meanwhile standard error shows the name of the file being encoded and a
// dot every half second. An interrupt (Ctrl+C) cancels as the window's "取消" does.
namespace norva::cli {
namespace {

constexpr std::chrono::milliseconds kProgressTick{500};

// The progress line on standard error: the file's name, then a dot a tick; ended before each
// report line.
class ProgressLine {
 public:
  void tick(const std::string& name, size_t row) {
    const std::lock_guard lock(mutex_);
    if (!open_ || row != row_) {
      end();
      std::cerr << name;
      open_ = true;
      row_ = row;
    }
    std::cerr << '.' << std::flush;
  }
  void report(const lyr::BatchFileReport& report) {
    const std::lock_guard lock(mutex_);
    end();
    printReport(report);
    std::cout << std::flush;
  }

 private:
  void end() {
    if (open_) std::cerr << '\n';
    open_ = false;
  }
  std::mutex mutex_;
  bool open_ = false;
  size_t row_ = 0;
};

}  // namespace

int runWav2Mp3(Args rawArgs) {
  constexpr std::string_view kUsage = "wav2mp3 IN... -o DIR [--bitrate K]";
  constexpr std::array<std::string_view, 2> kValued{"-o", "--bitrate"};
  const Arguments args(rawArgs, kValued, {});
  if (!args.ok()) return usageError(args.error(), kUsage);
  if (args.positionals().empty()) return usageError("no input file", kUsage);
  const auto folder = args.value("-o");
  if (!folder || folder->empty()) return usageError("-o DIR needed", kUsage);
  audio::Mp3Settings settings;
  if (const auto bitrate = args.value("--bitrate")) {
    const char* end = bitrate->data() + bitrate->size();
    const auto [stop, error] = std::from_chars(bitrate->data(), end, settings.bitrateKbps);
    if (error != std::errc() || stop != end || !audio::isLayer3Bitrate(settings.bitrateKbps))
      return usageError(
          "--bitrate takes 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, "
          "160, 192, 224, 256 or 320",
          kUsage);
  }
  CliPrompter prompter(std::cerr, Answer::No);
  const audio::OutputFolderCheck check = audio::checkOutputFolder(*folder);
  if (check != audio::OutputFolderCheck::Usable) {
    prompter.show(audio::outputFolderRefusedMessage());
    return refuseFile(*folder, toString(check));
  }
  const InputRows inputs = inputRows(args.positionals());
  if (inputs.rows.empty()) return kExitRefused;

  audio::LameEncoder encoder(settings);
  audio::WavToMp3Run run(encoder);
  run.begin();
  ProgressLine progress;
  std::mutex doneLock;
  std::condition_variable doneSignal;
  bool done = false;
  lyr::BatchRun result;
  const InterruptCatcher catcher{SIGINT};
  std::thread worker([&] {
    result = run.convert(inputs.rows, *folder,
                         [&](const lyr::BatchFileReport& report) { progress.report(report); });
    const std::lock_guard lock(doneLock);
    done = true;
    doneSignal.notify_all();
  });
  for (std::unique_lock lock(doneLock);
       !doneSignal.wait_for(lock, kProgressTick, [&] { return done; });) {
    if (catcher.interrupted() && !run.cancelRequested()) run.cancel();
    const size_t row = run.currentRow();
    progress.tick(inputs.rows.entries()[row].name, row);
  }
  worker.join();
  run.end();
  prompter.show(audio::conversionEndMessage(result.result));
  return exitCodeOf(result, inputs);
}

}  // namespace norva::cli
