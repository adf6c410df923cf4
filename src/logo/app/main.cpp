// glyphane: the logo converter. Turns a picture into the player's 128 x 64 boot logo.
#include <QApplication>
#include <QScreen>
#include <cstdio>

#include "base/service/registry_store.h"
#include "desktop/desktop_opener.h"
#include "desktop/file_dialogs.h"
#include "desktop/program_settings.h"
#include "desktop/qt_prompter.h"
#include "desktop/stderr_prompter.h"
#include "logo/app/glyphane_controller.h"
#include "logo/app/glyphane_startup.h"
#include "logo/app/glyphane_window.h"

using namespace norva::logo;

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  norva::desktop::setProgramIdentity(QString::fromUtf8(kApplicationName));
  const GlyphaneArguments args = parseGlyphaneArguments(QApplication::arguments().mid(1));
  if (args.help || args.version) {
    const QString text = args.help
                             ? glyphaneUsage()
                             : QStringLiteral("glyphane %1\n").arg(QStringLiteral(NORVA_VERSION));
    std::fputs(text.toLocal8Bit().constData(), stdout);
    return std::fflush(stdout) == 0 ? 0 : 1;
  }

  norva::desktop::QtPrompter windowPrompter;
  norva::desktop::StderrPrompter screenshotPrompter;
  norva::Prompter& prompter =
      args.screenshot ? static_cast<norva::Prompter&>(screenshotPrompter) : windowPrompter;
  norva::desktop::QtFileDialogs dialogs(nullptr);
  GlyphaneEnvironment env;
  env.prompter = &prompter;
  env.dialogs = &dialogs;
  env.openUrl = norva::desktop::openWithDesktop;
  env.programPath = QApplication::applicationFilePath();
  env.registryFile = norva::RegistryStore::classesRootFile(norva::RegistryStore::defaultFolder());
  env.xdgDataHome = norva::xdgDataHome();
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    env.loader.dpiX = qRound(screen->logicalDotsPerInchX());
    env.loader.dpiY = qRound(screen->logicalDotsPerInchY());
  }

  GlyphaneController controller(env);
  GlyphaneWindow window(controller, env.openUrl);
  window.winId();  // creates the native window now, so a failure is seen here
  if (!checkStartup(window.windowHandle() != nullptr, controller.canvas().ready(), prompter))
    return 1;
  windowPrompter.setParent(&window);
  window.show();

  controller.openFile(args.commandLine);
  if (args.screenshot) {
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    const bool saved = window.grab().save(*args.screenshot, "PNG");
    if (!saved) std::fprintf(stderr, "glyphane: cannot write %s\n", qPrintable(*args.screenshot));
    return saved && !screenshotPrompter.anythingShown() ? 0 : 1;
  }
  return QApplication::exec();
}
