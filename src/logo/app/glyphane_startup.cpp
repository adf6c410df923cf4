#include "logo/app/glyphane_startup.h"

#include "logo/app/glyphane_controller.h"
#include "logo/lgo_writer.h"

namespace norva::logo {

GlyphaneArguments parseGlyphaneArguments(const QStringList& argumentsAfterProgram) {
  GlyphaneArguments parsed;
  QStringList rest;
  bool optionsEnded = false;
  for (qsizetype i = 0; i < argumentsAfterProgram.size(); ++i) {
    const QString& word = argumentsAfterProgram.at(i);
    if (optionsEnded) {
      rest << word;
    } else if (word == QStringLiteral("--")) {
      optionsEnded = true;
    } else if (word == QStringLiteral("--screenshot") && i + 1 < argumentsAfterProgram.size()) {
      parsed.screenshot = argumentsAfterProgram.at(++i);
    } else if (word == QStringLiteral("--help") || word == QStringLiteral("-h")) {
      parsed.help = true;
    } else if (word == QStringLiteral("--version")) {
      parsed.version = true;
    } else {
      rest << word;
    }
  }
  parsed.commandLine = rest.join(QLatin1Char(' '));
  return parsed;
}

QString glyphaneUsage() {
  return QStringLiteral(
      "usage: glyphane [FILE] [--screenshot PNG]\n"
      "       glyphane --help | --version\n"
      "\n"
      "The logo converter: opens a picture (BMP, JPEG, GIF, icon, cursor, WMF/EMF, WBMP or LGO),\n"
      "fits it into the player's 128 x 64 screen and turns it black and white at the threshold\n"
      "set on the slider; saving writes the player's LGO file.\n"
      "\n"
      "  FILE              the picture to open; the words of the command line that are no\n"
      "                    option make one file name, so a path with spaces needs no quotes\n"
      "  --screenshot PNG  open FILE, write the window to PNG and exit (messages go to\n"
      "                    standard error, and a file that cannot be opened exits 1)\n"
      "  --                the words after it are the file name, even when they start with -\n");
}

bool checkStartup(bool windowCreated, bool surfacesReady, Prompter& prompter) {
  if (!windowCreated) {
    prompter.show(
        Message{kWindowInitFailedText, kLogoCaption, MessageIcon::Warning, MessageButtons::Ok});
    return false;
  }
  if (!surfacesReady) {
    prompter.show(
        Message{kSurfacesFailedText, kLogoCaption, MessageIcon::Warning, MessageButtons::Ok});
    return false;
  }
  return true;
}

}  // namespace norva::logo
