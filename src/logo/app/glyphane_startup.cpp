#include "logo/app/glyphane_startup.h"

#include "logo/app/glyphane_controller.h"
#include "logo/lgo_writer.h"

namespace norva::logo {

GlyphaneArguments parseGlyphaneArguments(const QStringList& argumentsAfterProgram) {
  GlyphaneArguments parsed;
  QStringList rest = argumentsAfterProgram;
  if (rest.size() >= 2 && rest.front() == QStringLiteral("--screenshot")) {
    parsed.screenshot = rest.at(1);
    rest = rest.mid(2);
  }
  parsed.commandLine = rest.join(QLatin1Char(' '));
  return parsed;
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
