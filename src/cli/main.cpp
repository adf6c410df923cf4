// norva: the suite's converters and previews on the command line.
#include <clocale>
#include <iostream>
#include <string_view>
#include <vector>

#include "cli/command_line.h"
#include "cli/commands.h"

namespace {

void printUsage(std::ostream& out) {
  out << "usage: norva COMMAND [ARGS]\n\ncommands:\n";
  for (const auto& command : norva::cli::allCommands()) out << "  " << command.usage << '\n';
  out << "\nexit codes: 0 done, 1 refused, 2 cancelled by a warning answer, 64 usage\n";
}

}  // namespace

int main(int argc, char** argv) {
  std::setlocale(LC_ALL, "");
  std::vector<std::string_view> args(argv + 1, argv + argc);
  if (args.empty()) {
    printUsage(std::cerr);
    return norva::cli::kExitUsage;
  }
  if (args[0] == "help" || args[0] == "--help" || args[0] == "-h") {
    printUsage(std::cout);
    return norva::cli::kExitDone;
  }
  for (const auto& command : norva::cli::allCommands()) {
    if (command.name == args[0])
      return command.run(std::span<const std::string_view>(args).subspan(1));
  }
  std::cerr << "norva: unknown command '" << args[0] << "'\n";
  printUsage(std::cerr);
  return norva::cli::kExitUsage;
}
