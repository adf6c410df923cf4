// norva mpr: an MP3 file and its lyric (LRC, timed text or LYR) into one MPR file.
#include <array>
#include <iostream>

#include "cli/cli_prompter.h"
#include "cli/command_line.h"
#include "cli/commands.h"
#include "cli/refusal.h"
#include "cli/stdio_files.h"
#include "lyrics/mpr_image.h"
#include "lyrics/service/mpr_assembly.h"

namespace norva::cli {

int runMpr(Args rawArgs) {
  constexpr std::string_view kUsage = "mpr MP3 LYRIC [-o OUT] [--on-warning yes|no|cancel]";
  constexpr std::array<std::string_view, 2> kValued{"-o", "--on-warning"};
  Arguments args(rawArgs, kValued, {});
  auto usage = [&](std::string_view message) { return usageError(message, kUsage); };
  if (!args.ok()) return usage(args.error());
  if (args.positionals().size() != 2) return usage("MP3 and LYRIC needed");
  Answer answer = Answer::No;
  if (auto word = args.value("--on-warning"); word && !CliPrompter::parseAnswer(*word, answer))
    return usage("--on-warning takes yes, no or cancel");

  const std::string& mp3 = args.positionals()[0];
  const std::string& lyric = args.positionals()[1];
  if (mp3 == "-" && lyric == "-")
    return usage("only one of MP3 and LYRIC can be - (standard input)");
  if (mp3 == "-" && !args.value("-o"))
    return usage("-o OUT needed when the MP3 is - (standard input)");
  const std::string output = args.value("-o").value_or(lyr::defaultMprPath(mp3).string());
  if (auto refused = refuseOutputOverInput({mp3, lyric}, output)) return *refused;
  // A LYR file is read, not compiled: when it cannot be read, the compiler's "Load file is
  // error!" would blame a compile that never ran. The system's reason is the message.
  if (lyr::lyricKindOf(lyric) == lyr::LyricKind::Lyr && lyric != "-") {
    if (const auto why = whyUnreadable(lyric)) return refuseFile(lyric, "cannot be read: " + *why);
  }

  StdioFiles stdio;
  const std::optional<std::string> mp3File = stdio.input(mp3);
  const std::optional<std::string> lyricFile = stdio.input(lyric);
  const std::optional<std::string> outputFile = stdio.output(output);
  if (!mp3File || !lyricFile || !outputFile) return kExitRefused;

  CliPrompter prompter(std::cerr, answer);
  const auto outcome = lyr::convertToMpr(prompter, *mp3File, *lyricFile, *outputFile);
  switch (outcome.result) {
    case lyr::MprResult::Done:
      break;
    case lyr::MprResult::Cancelled:
      return kExitCancelled;
    case lyr::MprResult::Mp3Missing:
    case lyr::MprResult::NotMp3:
      return refuseCommand({{mp3}, {}}, mp3,
                           "the preview's header search finds no MPEG audio in it");
    case lyr::MprResult::CompileFailed:
      return refuseCommand({{lyric}, {}}, lyric, "the lyric does not compile");
    case lyr::MprResult::NotLyr:
      return refuseCommand({{lyric}, {}}, lyric, "not a LYR file");
    case lyr::MprResult::CreateFailed:
      return refuseCommand({{}, output}, output, "cannot be written");
  }
  if (output == "-") return stdio.finish(kExitDone);
  std::cout << output << '\n';
  return kExitDone;
}

}  // namespace norva::cli
