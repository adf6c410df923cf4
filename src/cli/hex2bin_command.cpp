// norva hex2bin: an Intel HEX firmware file into the image the player is sent, for scripts and
// for checking a firmware file before an upgrade.
#include <array>
#include <iostream>

#include "cli/command_line.h"
#include "cli/commands.h"
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
  const uint32_t offset =
      args.flag("--boot") ? device::kBootImageOffset : device::kCodecImageOffset;
  const auto conversion = device::ConvertIntelHex(input, *output, offset);
  if (conversion.outcome != device::HexOutcome::Converted) {
    std::cerr << "norva: " << input << ": " << device::hexRefusalText(conversion) << '\n';
    return kExitRefused;
  }
  std::cout << *output << '\t' << conversion.image.size() << '\n';
  return kExitDone;
}

}  // namespace norva::cli
