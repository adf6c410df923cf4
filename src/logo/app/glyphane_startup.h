#pragma once
// Start-up pieces of the logo converter that tests can drive without starting the program.
#include <QString>
#include <QStringList>
#include <optional>

#include "base/prompter.h"

namespace norva::logo {

struct GlyphaneArguments {
  std::optional<QString> screenshot;  // --screenshot FILE: save the window as PNG and quit
  bool help = false;                  // --help, -h
  bool version = false;               // --version
  QString commandLine;                // everything else, joined by spaces: one file name
};

// Options come out first, wherever they stand (before "--", which ends them); the rest of the
// command line is one file name, so a path with spaces arrives whole even when the desktop
// passed it unquoted and it was split into several arguments.
GlyphaneArguments parseGlyphaneArguments(const QStringList& argumentsAfterProgram);

// What --help prints.
QString glyphaneUsage();

// Shows the start-up failure message that applies and returns false, or returns true.
bool checkStartup(bool windowCreated, bool surfacesReady, Prompter& prompter);

}  // namespace norva::logo
