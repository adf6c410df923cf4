// norva mpr: an MP3 file and its lyric (LRC, timed text or LYR) into one MPR file.
#include <array>
#include <iostream>

#include "cli/cli_prompter.h"
#include "cli/command_line.h"
#include "cli/commands.h"
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
  const std::string output = args.value("-o").value_or(lyr::defaultMprPath(mp3).string());
  if (auto refused = refuseOutputOverInput({mp3, args.positionals()[1]}, output)) return *refused;

  CliPrompter prompter(std::cerr, answer);
  const auto outcome = lyr::convertToMpr(prompter, args.positionals()[0], args.positionals()[1],
                                         args.value("-o").value_or(""));
  if (outcome.result == lyr::MprResult::Cancelled) return kExitCancelled;
  if (outcome.result != lyr::MprResult::Done) return kExitRefused;
  std::cout << outcome.output.string() << '\n';
  return kExitDone;
}

}  // namespace norva::cli
