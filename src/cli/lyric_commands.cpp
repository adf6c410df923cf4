// norva lyr, lrc, unlyr, screens: the lyric compilers and the LYR reader.
#include <iostream>

#include "cli/cli_prompter.h"
#include "cli/command_line.h"
#include "cli/commands.h"

namespace norva::cli {

int runLyr(Args) {
  std::cerr << "norva lyr: not built yet\n";
  return kExitRefused;
}
int runLrc(Args) {
  std::cerr << "norva lrc: not built yet\n";
  return kExitRefused;
}
int runUnlyr(Args) {
  std::cerr << "norva unlyr: not built yet\n";
  return kExitRefused;
}
int runScreens(Args) {
  std::cerr << "norva screens: not built yet\n";
  return kExitRefused;
}

}  // namespace norva::cli
