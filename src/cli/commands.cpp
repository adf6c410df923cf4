#include "cli/commands.h"

#include <array>

namespace norva::cli {

int runLyr(Args args);
int runLrc(Args args);
int runUnlyr(Args args);
int runScreens(Args args);
int runLogo(Args args);
int runInfo(Args args);
int runPlay(Args args);
int runMpr(Args args);
#ifdef NORVA_CLI_HAS_DEVICE
int runPlayer(Args args);
int runHex2bin(Args args);
#endif

std::span<const Command> allCommands() {
  static const std::array commands{
      Command{"lyr",
              "lyr IN -o OUT [--font auto|small|large] [--sami] [--on-warning yes|no|cancel]",
              runLyr},
      Command{"lrc", "lrc IN -o OUT [--font small|large] [--on-warning yes|no|cancel]", runLrc},
      Command{"unlyr", "unlyr IN [-o OUT]", runUnlyr},
      Command{"screens", "screens IN.lyr", runScreens},
      Command{"logo",
              "logo IN -o OUT.lgo [--threshold T] [--overwrite] | logo --show FILE [--threshold T]",
              runLogo},
      Command{"info", "info FILE", runInfo},
      Command{"play", "play FILE [--audio alsa|null] [--speed N|max] [--seek P]", runPlay},
      Command{"mpr", "mpr MP3 LYRIC [-o OUT] [--on-warning yes|no|cancel]", runMpr},
#ifdef NORVA_CLI_HAS_DEVICE
      Command{"player",
              "player create [--card MiB] | attach | detach | status | ls | put FILE... | "
              "get NAME... -o DIR | rm NAME... | mv NAME NEWNAME | up NAME | down NAME | "
              "format [--low] | fsck | firmware FILE [--boot] | font put FILE | font get DIR | "
              "font info | font erase  (options: --drive 0|1, --on-exists yes|no|cancel)",
              runPlayer},
      Command{"hex2bin", "hex2bin IN.hex -o OUT.bin [--boot]", runHex2bin},
#endif
  };
  return commands;
}

}  // namespace norva::cli
