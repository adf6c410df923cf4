// norva: the suite's converters and previews on the command line.
#include <clocale>
#include <iostream>
#include <string_view>
#include <vector>

#include "cli/command_line.h"
#include "cli/commands.h"
#include "cli/refusal.h"
#include "cli/standard_output.h"

namespace {

using norva::cli::Command;

void printUsage(std::ostream& out) {
  out << "usage: norva COMMAND [ARGS]\n"
         "       norva COMMAND --help\n"
         "       norva --version\n\ncommands:\n";
  for (const auto& command : norva::cli::allCommands()) out << "  " << command.usage << '\n';
  out << "\nArguments after -- are file names, even when they start with -. A file name - is\n"
         "standard input (one input a command) or, after -o, standard output.\n"
         "A refused command ends with a line \"norva: FILE: why\" naming the file at fault, after\n"
         "the player's own message (\"[caption] text\") when there is one.\n"
         "exit codes: 0 done, 1 refused (the reason is on stderr), 2 cancelled by a warning\n"
         "answer, 64 usage error, 130 interrupted (Ctrl-C), 143 terminated (SIGTERM)\n"
         "\nenvironment:\n"
         "  NORVA_PLAYER_DIR        the simulated player's folder (player), by default\n"
         "                          $XDG_DATA_HOME/norva/player\n"
         "  NORVA_TCC730_LIBRARY    the player library libnorva_tcc730.so (player); without\n"
         "                          it the one beside norva, else the library path\n"
         "  NORVA_ALSA_DEVICE       the ALSA PCM that play --audio alsa opens, by default\n"
         "                          the default device\n"
         "  NORVA_PICTURES_LIBRARY  the picture plugin libnorva_pictures.so (logo)\n"
         "\nThe user manual RD710_CHS.pdf beside the suite's programs explains the lyric\n"
         "editor, the device manager and the logo converter; man norva shows this help and\n"
         "the help of every command.\n";
}

void printHelp(const Command& command) {
  std::cout << "usage: norva " << command.usage << "\n\n" << command.help;
}

const Command* findCommand(std::string_view name) {
  for (const auto& command : norva::cli::allCommands())
    if (command.name == name) return &command;
  return nullptr;
}

// "--help" or "-h" among a command's options (not after "--", where it is a file name).
bool asksForHelp(std::span<const std::string_view> args) {
  for (std::string_view arg : args) {
    if (arg == "--") return false;
    if (arg == "--help" || arg == "-h") return true;
  }
  return false;
}

// Output that could not be written (a full disk, a closed pipe) is a failure, not a success.
int finish(int code, norva::cli::StandardOutput& output) {
  const int error = output.flushAndGetError();
  if (error == 0 && !std::cout.fail()) return code;
  norva::cli::refuseStandardOutput(error);
  return code == norva::cli::kExitDone ? norva::cli::kExitRefused : code;
}

int dispatch(std::span<const std::string_view> args) {
  using namespace norva::cli;
  if (args.empty()) {
    printUsage(std::cerr);
    return kExitUsage;
  }
  if (args[0] == "help" || args[0] == "--help" || args[0] == "-h") {
    if (args.size() > 1) {
      if (const Command* command = findCommand(args[1])) {
        printHelp(*command);
        return kExitDone;
      }
      std::cerr << "norva: unknown command '" << args[1] << "'\n";
      return kExitUsage;
    }
    printUsage(std::cout);
    return kExitDone;
  }
  if (args[0] == "--version") {
    std::cout << "norva " << NORVA_VERSION << '\n';
    return kExitDone;
  }
  if (const Command* command = findCommand(args[0])) {
    const auto rest = args.subspan(1);
    if (asksForHelp(rest)) {
      printHelp(*command);
      return kExitDone;
    }
    return command->run(rest);
  }
  std::cerr << "norva: unknown command '" << args[0] << "'\n";
  printUsage(std::cerr);
  return kExitUsage;
}

}  // namespace

int main(int argc, char** argv) {
  std::setlocale(LC_ALL, "");
  const std::vector<std::string_view> args(argv + 1, argv + argc);
  norva::cli::StandardOutput output;
  return finish(dispatch(args), output);
}
