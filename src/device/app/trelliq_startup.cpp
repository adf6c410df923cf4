#include "device/app/trelliq_startup.h"

#include <cstdio>

namespace norva::device {

TrelliqArguments parseTrelliqArguments(const QStringList& argumentsAfterProgram) {
  TrelliqArguments parsed;
  for (qsizetype i = 0; i < argumentsAfterProgram.size(); ++i) {
    const QString& word = argumentsAfterProgram.at(i);
    if (word == QStringLiteral("--screenshot") && i + 1 < argumentsAfterProgram.size())
      parsed.screenshot = argumentsAfterProgram.at(++i);
    else if (word == QStringLiteral("--help") || word == QStringLiteral("-h"))
      parsed.help = true;
    else if (word == QStringLiteral("--version"))
      parsed.version = true;
    else if (parsed.error.isEmpty())
      parsed.error = word;
  }
  return parsed;
}

QString trelliqUsage() {
  return QStringLiteral(
      "usage: trelliq [--screenshot PNG]\n"
      "       trelliq --help | --version\n"
      "\n"
      "The device manager: the PC's folders on the left, the player's memories on the right;\n"
      "drag files across to copy them to or from the player. The player is the simulated one\n"
      "in $NORVA_PLAYER_DIR (default $XDG_DATA_HOME/norva/player), reached through\n"
      "libnorva_tcc730.so ($NORVA_TCC730_LIBRARY, else beside the program, else the library\n"
      "path).\n"
      "\n"
      "  --screenshot PNG  fill both panes, write the window to PNG and exit (messages go to\n"
      "                    standard error, and any message or a failed write exits 1)\n");
}

Answer ScreenshotPrompter::show(const Message& message) {
  shown_ = true;
  std::fprintf(stderr, "[%s] %s\n", message.caption.c_str(), message.text.c_str());
  if (message.buttons == MessageButtons::Ok) return Answer::Ok;
  return message.buttons == MessageButtons::YesNo ? Answer::No : Answer::Cancel;
}

}  // namespace norva::device
