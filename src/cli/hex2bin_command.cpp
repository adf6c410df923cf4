// norva hex2bin: an Intel HEX firmware file into the image the player is sent, for scripts and
// for checking a firmware file before an upgrade.
#include <array>
#include <iostream>

#include "cli/cli_prompter.h"
#include "cli/command_line.h"
#include "cli/commands.h"
#include "cli/refusal.h"
#include "cli/stdio_files.h"
#include "device/device_messages.h"
#include "device/service/hex_file.h"

namespace norva::cli {

int runHex2bin(Args rawArgs) {
  constexpr std::string_view kUsage = "hex2bin IN.hex -o OUT.bin [--boot]";
  constexpr std::array<std::string_view, 1> kValued{"-o"};
  constexpr std::array<std::string_view, 1> kFlags{"--boot"};
  Arguments args(rawArgs, kValued, kFlags);
  if (!args.ok()) return usageError(args.error(), kUsage);
  if (args.positionals().size() != 1) return usageError("one HEX file needed", kUsage);
  const auto output = args.value("-o");
  if (!output || output->empty()) return usageError("-o OUT.bin needed", kUsage);

  const std::string& input = args.positionals()[0];
  if (auto refused = refuseOutputOverInput({input}, *output)) return *refused;
  StdioFiles stdio;
  const std::optional<std::string> inputFile = stdio.input(input);
  const std::optional<std::string> outputFile = stdio.output(*output);
  if (!inputFile || !outputFile) return kExitRefused;
  const uint32_t offset =
      args.flag("--boot") ? device::kBootImageOffset : device::kCodecImageOffset;
  const auto conversion = device::ConvertIntelHex(*inputFile, *outputFile, offset);
  if (conversion.outcome != device::HexOutcome::Converted) {
    CliPrompter prompter(std::cerr, Answer::Ok);
    prompter.show(Message{device::hexRefusalText(conversion), device::kHexRefusedCaption,
                          MessageIcon::Warning, MessageButtons::Ok});
    const bool outputFault = conversion.outcome == device::HexOutcome::CannotWriteOutput;
    return refuseCommand({{input}, *output}, outputFault ? *output : input,
                         outputFault ? "cannot be written"
                                     : std::string("not a firmware file the player takes (") +
                                           device::toString(conversion.outcome) + ")");
  }
  if (*output == "-") return stdio.finish(kExitDone);
  std::cout << *output << '\t' << conversion.image.size() << '\n';
  return kExitDone;
}

}  // namespace norva::cli
