#pragma once
// norva's subcommands. Each takes the arguments after its name and returns an exit code
// (command_line.h).
#include <span>
#include <string_view>

namespace norva::cli {

using Args = std::span<const std::string_view>;

struct Command {
  std::string_view name;
  std::string_view usage;  // one line, shown by "norva --help"
  std::string_view help;   // what it does and every option, shown by "norva COMMAND --help"
  int (*run)(Args args);
};

// Every subcommand, in the order help lists them.
std::span<const Command> allCommands();

}  // namespace norva::cli
