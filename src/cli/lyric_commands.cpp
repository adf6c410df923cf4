// norva lyr, lrc, unlyr, screens, smi, timetable: the lyric compilers, the LYR reader, the
// SAMI export and the verify dialog's timetable.
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "base/file_names.h"
#include "base/gbk_codec.h"
#include "base/service/file_io.h"
#include "cli/cli_prompter.h"
#include "cli/command_line.h"
#include "cli/commands.h"
#include "cli/refusal.h"
#include "cli/stdio_files.h"
#include "lyrics/editor_text.h"
#include "lyrics/lyr_reader.h"
#include "lyrics/lyrics_messages.h"
#include "lyrics/sami_export.h"
#include "lyrics/sami_timetable.h"
#include "lyrics/sami_to_timed_text.h"
#include "lyrics/service/layout_warning.h"
#include "lyrics/service/lyr_compiler.h"
#include "lyrics/service/lyr_writer.h"
#include "lyrics/timed_text_reader.h"

namespace norva::cli {
namespace {

constexpr std::array<std::string_view, 3> kCompileOptions{"-o", "--font", "--on-warning"};
constexpr std::array<std::string_view, 2> kLyrFlags{"--sami", "--allow-empty"};

// The bytes of the command's one input (a file, or "-" for standard input); reports and returns
// nothing when they cannot be read.
std::optional<std::vector<uint8_t>> readInputBytes(StdioFiles& stdio, const std::string& input) {
  const std::optional<std::string> inputFile = stdio.input(input);
  if (!inputFile) return std::nullopt;
  ReadResult file = readWholeFile(*inputFile);
  if (file.status != ReadResult::Status::Ok) {
    refuseCommand({{input}, {}}, input, "cannot be read");
    return std::nullopt;
  }
  return std::move(file.bytes);
}

// Reads a text file (`shownName` on the command line) as the editor holds it; reports and
// returns nothing when it cannot.
std::optional<std::string> readEditorText(const std::string& path, const std::string& shownName) {
  ReadResult file = readWholeFile(path);
  if (file.status != ReadResult::Status::Ok) {
    refuseCommand({{shownName}, {}}, shownName, "cannot be read");
    return std::nullopt;
  }
  return lyr::editorTextFromFile(file.bytes);
}

// "[mm:" somewhere: the text is LRC rather than timed text.
bool looksLikeLrc(std::string_view text) {
  for (size_t at = text.find('['); at != std::string_view::npos; at = text.find('[', at + 1)) {
    size_t digits = at + 1;
    while (digits < text.size() && text[digits] >= '0' && text[digits] <= '9') ++digits;
    if (digits > at + 1 && digits < text.size() && text[digits] == ':') return true;
  }
  return false;
}

// A text without one timed paragraph would give a lyric of no screen: the player shows nothing.
int refuseUntimedText(const std::string& input, std::string_view text) {
  if (looksLikeLrc(text)) sayLine("it holds LRC time tags: compile it with norva lrc");
  sayLine("--allow-empty writes a lyric of no screen anyway");
  return refuseFile(input,
                    "no timed paragraph (a line starting <milliseconds>); nothing was written");
}

std::optional<Answer> warningAnswer(const Arguments& args) {
  Answer answer = Answer::No;
  if (auto word = args.value("--on-warning"); word && !CliPrompter::parseAnswer(*word, answer))
    return std::nullopt;
  return answer;
}

}  // namespace

int runLyr(Args rawArgs) {
  constexpr std::string_view kUsage =
      "lyr IN -o OUT [--font auto|small|large] [--sami] [--allow-empty] "
      "[--on-warning yes|no|cancel]";
  Arguments args(rawArgs, kCompileOptions, kLyrFlags);
  if (!args.ok()) return usageError(args.error(), kUsage);
  if (args.positionals().size() != 1 || !args.value("-o"))
    return usageError("IN and -o OUT needed", kUsage);
  const std::optional<Answer> answer = warningAnswer(args);
  if (!answer) return usageError("--on-warning takes yes, no or cancel", kUsage);
  const std::string font = args.value("--font").value_or("auto");
  if (font != "auto" && font != "small" && font != "large")
    return usageError("--font takes auto, small or large", kUsage);

  const std::string& input = args.positionals()[0];
  if (auto refused = refuseOutputOverInput({input}, *args.value("-o"))) return *refused;
  StdioFiles stdio;
  const std::optional<std::string> inputFile = stdio.input(input);
  const std::optional<std::string> outputFile = stdio.output(*args.value("-o"));
  if (!inputFile || !outputFile) return kExitRefused;
  std::optional<std::string> text = readEditorText(*inputFile, input);
  if (!text) return kExitRefused;
  if (args.flag("--sami") || endsWithIgnoringCase(input, ".smi"))
    *text = lyr::samiToTimedText(*text).timedText;

  lyr::FontMode mode = font == "large" ? lyr::FontMode::Large : lyr::FontMode::Small;
  if (font == "auto")
    mode = std::any_of(text->begin(), text->end(),
                       [](char c) { return static_cast<unsigned char>(c) >= 0x80; })
               ? lyr::FontMode::Large
               : lyr::FontMode::Small;

  CliPrompter prompter(std::cerr, *answer);
  lyr::LayoutWarning warning(prompter, lyr::LayoutWarning::Path::Editor);
  const auto screens = lyr::readTimedText(*text, mode, warning);
  if (!screens) return kExitCancelled;
  if (screens->empty() && !args.flag("--allow-empty")) return refuseUntimedText(input, *text);
  lyr::CLyrWriter writer(prompter);
  if (writer.write(*outputFile, *screens, mode) != lyr::LyrWriteOutcome::Saved)
    return refuseCommand({{}, *args.value("-o")}, *args.value("-o"), "cannot be written");
  return stdio.finish(kExitDone);
}

int runLrc(Args rawArgs) {
  constexpr std::string_view kUsage =
      "lrc IN -o OUT [--font small|large] [--on-warning yes|no|cancel]";
  Arguments args(rawArgs, kCompileOptions, {});
  if (!args.ok()) return usageError(args.error(), kUsage);
  if (args.positionals().size() != 1 || !args.value("-o"))
    return usageError("IN and -o OUT needed", kUsage);
  const std::optional<Answer> answer = warningAnswer(args);
  if (!answer) return usageError("--on-warning takes yes, no or cancel", kUsage);
  const std::optional<std::string> font = args.value("--font");
  if (font && *font != "small" && *font != "large")
    return usageError("--font takes small or large", kUsage);

  CliPrompter prompter(std::cerr, *answer);
  lyr::CLyrCompiler compiler(prompter);
  if (auto refused = refuseOutputOverInput({args.positionals()[0]}, *args.value("-o")))
    return *refused;
  StdioFiles stdio;
  const std::optional<std::string> inputFile = stdio.input(args.positionals()[0]);
  const std::optional<std::string> outputFile = stdio.output(*args.value("-o"));
  if (!inputFile || !outputFile) return kExitRefused;
  const std::string shownInput = args.positionals()[0];
  const std::string shownOutput = *args.value("-o");
  // After the compiler's own message: which file was at fault.
  auto refused = [&] {
    if (compiler.error() == lyr::CompileError::CreateFailed) {
      if (!font)  // the batch path leaves the message to its caller
        prompter.show(Message{std::string(lyr::compileErrorMessage(compiler.error())),
                              std::string(lyr::text::kCompileErrorCaption), MessageIcon::Warning,
                              MessageButtons::Ok});
      return refuseCommand({{}, shownOutput}, shownOutput, "cannot be written");
    }

    return refuseCommand(
        {{shownInput}, {}}, shownInput,
        "does not compile: " + std::string(lyr::compileErrorMessage(compiler.error())));
  };
  lyr::CompileStatus status = lyr::CompileStatus::Ok;
  if (!font) {
    // The batch converter's path: the file as it is on disk.
    status = compiler.compileLrcFileToLyrFile(*inputFile, *outputFile);
  } else {
    // The editor's command on an open LRC document.
    std::optional<std::string> text = readEditorText(*inputFile, shownInput);
    if (!text) return kExitRefused;
    status = compiler.compileLrcTextToLyrFile(
        *text, *outputFile, *font == "large" ? lyr::FontMode::Large : lyr::FontMode::Small);
  }
  if (status == lyr::CompileStatus::Cancelled) return kExitCancelled;
  if (status != lyr::CompileStatus::Ok) return refused();
  return stdio.finish(kExitDone);
}

int runUnlyr(Args rawArgs) {
  constexpr std::string_view kUsage = "unlyr IN [-o OUT]";
  constexpr std::array<std::string_view, 1> kOptions{"-o"};
  Arguments args(rawArgs, kOptions, {});
  if (!args.ok()) return usageError(args.error(), kUsage);
  if (args.positionals().size() != 1) return usageError("IN needed", kUsage);
  const std::string& input = args.positionals()[0];
  StdioFiles stdio;
  const std::optional<std::vector<uint8_t>> bytes = readInputBytes(stdio, input);
  if (!bytes) return kExitRefused;
  const std::optional<std::string> text = lyr::lyrToTimedText(*bytes);
  if (!text) return refuseFile(input, "not a LYR file the editor accepts");
  if (auto output = args.value("-o"); output && *output != "-") {
    if (auto refused = refuseOutputOverInput({input}, *output)) return *refused;
    if (const WriteResult written = writeFileAtomically(*output, *text); !written.ok())
      return refuseCommand({{}, *output}, *output, "cannot be written: " + written.error);
    return kExitDone;
  }
  std::cout.write(text->data(), static_cast<std::streamsize>(text->size()));
  return std::cout.flush() ? kExitDone : kExitRefused;
}

int runScreens(Args rawArgs) {
  constexpr std::string_view kUsage = "screens IN.lyr";
  Arguments args(rawArgs, {}, {});
  if (!args.ok()) return usageError(args.error(), kUsage);
  if (args.positionals().size() != 1) return usageError("IN needed", kUsage);
  const std::string& input = args.positionals()[0];
  StdioFiles stdio;
  const std::optional<std::string> inputFile = stdio.input(input);
  if (!inputFile) return kExitRefused;
  ReadResult file = readWholeFile(*inputFile);
  const std::optional<std::vector<lyr::TimedScreen>> screens =
      file.status == ReadResult::Status::Ok ? lyr::readLyrScreens(file.bytes) : std::nullopt;
  if (!screens) return refuseCommand({{input}, {}}, input, "not a LYR file");
  std::cout << input << ": " << screens->size() << " screens, font class "
            << int{file.bytes[lyr::kHeaderFontClassOffset]} << '\n';
  for (const auto& screen : *screens) {
    char time[32];
    std::snprintf(time, sizeof time, "%02u:%02u.%u", screen.time / 600, screen.time / 10 % 60,
                  screen.time % 10);
    std::string utf8 = gbkToUtf8(screen.text);
    std::string shown;
    for (char c : utf8) {
      if (c == '\r')
        shown += "\n          ";
      else
        shown += c;
    }
    std::cout << "[" << time << "] " << shown << '\n';
  }
  return kExitDone;
}

namespace {

// Writes `bytes` to `output` ("-" is standard output) in one piece, replacing the file.
int writeOutput(const std::string& input, const std::string& output, std::string_view bytes) {
  if (output == "-") {
    std::cout.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return std::cout.flush() ? kExitDone : refuseStandardOutput(0);
  }
  if (auto refused = refuseOutputOverInput({input}, output)) return *refused;
  if (const WriteResult written = writeFileAtomically(output, bytes); !written.ok())
    return refuseCommand({{}, output}, output, "cannot be written: " + written.error);
  return kExitDone;
}

// One line an entry: the start in milliseconds, a TAB, the screen's lines joined by " | ".
std::string readableTimetable(const lyr::SamiTimetable& table) {
  std::string out;
  for (const lyr::TimetableEntry& entry : table.entries) {
    out += std::to_string(entry.startMs());
    out += '\t';
    const auto lines = lyr::timetableScreenLines(entry.screen);
    for (size_t i = 0; i < lines.size(); ++i) {
      if (i > 0) out += " | ";
      out += gbkToUtf8(lines[i]);
    }
    out += '\n';
  }
  return out;
}

}  // namespace

int runSmi(Args rawArgs) {
  constexpr std::string_view kUsage = "smi IN.tly -o OUT.smi";
  constexpr std::array<std::string_view, 1> kOptions{"-o"};
  Arguments args(rawArgs, kOptions, {});
  if (!args.ok()) return usageError(args.error(), kUsage);
  if (args.positionals().size() != 1 || !args.value("-o"))
    return usageError("IN and -o OUT needed", kUsage);
  const std::string& input = args.positionals()[0];
  StdioFiles stdio;
  const std::optional<std::string> inputFile = stdio.input(input);
  if (!inputFile) return kExitRefused;
  const std::optional<std::string> text = readEditorText(*inputFile, input);
  if (!text) return kExitRefused;
  return writeOutput(input, *args.value("-o"), lyr::exportSami(*text));
}

int runTimetable(Args rawArgs) {
  constexpr std::string_view kUsage = "timetable IN.smi [-o OUT]";
  constexpr std::array<std::string_view, 1> kOptions{"-o"};
  Arguments args(rawArgs, kOptions, {});
  if (!args.ok()) return usageError(args.error(), kUsage);
  if (args.positionals().size() != 1) return usageError("IN needed", kUsage);
  const std::string& input = args.positionals()[0];
  StdioFiles stdio;
  const std::optional<std::vector<uint8_t>> bytes = readInputBytes(stdio, input);
  if (!bytes) return kExitRefused;
  const lyr::SamiTimetable table = lyr::buildSamiTimetable(
      std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size()));
  if (table.build == lyr::TimetableBuild::NoBody)
    return refuseFile(input, lyr::text::kSamiWithoutBody);
  if (table.build == lyr::TimetableBuild::Cut) sayLine(lyr::text::kTimetableCut);
  if (const auto output = args.value("-o")) {
    const std::vector<uint8_t> laidOut = lyr::layOutTimetable(table);
    return writeOutput(
        input, *output,
        std::string_view(reinterpret_cast<const char*>(laidOut.data()), laidOut.size()));
  }
  const std::string lines = readableTimetable(table);
  std::cout.write(lines.data(), static_cast<std::streamsize>(lines.size()));
  return std::cout.flush() ? kExitDone : refuseStandardOutput(0);
}

}  // namespace norva::cli
