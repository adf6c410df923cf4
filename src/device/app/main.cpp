// trelliq: the device manager. The PC on the left, the player on the right.
#include <QApplication>
#include <cstdio>

#include "desktop/desktop_opener.h"
#include "desktop/file_dialogs.h"
#include "desktop/program_settings.h"
#include "desktop/qt_prompter.h"
#include "device/app/device_command_handler.h"
#include "device/app/device_commands.h"
#include "device/app/device_worker.h"
#include "device/app/explorer_services.h"
#include "device/app/file_kind_icons.h"
#include "device/app/gui_thread_prompter.h"
#include "device/app/trelliq_startup.h"
#include "device/app/trelliq_window.h"
#include "device/service/player_state.h"
#include "device/service/player_watcher.h"
#include "preview/app/preview_player_dialog.h"

using namespace norva::device;

namespace {

// The window needs its command handler when it is built, and the handler needs the window (its
// player pane, the desktop's folder): this forwards to the handler made once the window exists.
class HandlerOfWindow : public DeviceCommandHandler {
 public:
  void attach(std::unique_ptr<DeviceCommands> commands) { commands_ = std::move(commands); }
  bool handles(int id) const override { return commands_ && commands_->handles(id); }
  bool isEnabled(int id) const override { return commands_ && commands_->isEnabled(id); }
  DeviceCommandOutcome run(int id, QWidget* parent) override {
    return commands_ ? commands_->run(id, parent) : DeviceCommandOutcome::NotHandled;
  }
  DeviceCommandOutcome showMediumInformation(int drive, QWidget* parent) override {
    return commands_ ? commands_->showMediumInformation(drive, parent)
                     : DeviceCommandOutcome::NotHandled;
  }

 private:
  std::unique_ptr<DeviceCommands> commands_;
};

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  norva::desktop::setProgramIdentity(QString::fromUtf8(kApplicationName));
  QApplication::setWindowIcon(applicationIcon());
  const TrelliqArguments args = parseTrelliqArguments(QApplication::arguments().mid(1));
  if (!args.error.isEmpty()) {
    std::fprintf(stderr, "trelliq: unknown argument %s\n%s", qPrintable(args.error),
                 qPrintable(trelliqUsage()));
    return 2;
  }
  if (args.help || args.version) {
    const QString text = args.help
                             ? trelliqUsage()
                             : QStringLiteral("trelliq %1\n").arg(QStringLiteral(NORVA_VERSION));
    std::fputs(text.toLocal8Bit().constData(), stdout);
    return std::fflush(stdout) == 0 ? 0 : 1;
  }

  norva::desktop::QtPrompter windowPrompter;
  ScreenshotPrompter screenshotPrompter;
  norva::Prompter& shown =
      args.screenshot ? static_cast<norva::Prompter&>(screenshotPrompter) : windowPrompter;
  GuiThreadPrompter prompter(shown, app);
  DeviceSettings settings;
  DeviceLink link(prompter, settings);
  ProcessViewerLauncher viewer;
  link.setViewerLauncher(&viewer);
  const bool libraryLoaded = link.Initialize();
  DeviceWorker worker;
  HandlerOfWindow handler;
  const auto preview = [&shown](QWidget* parent, const QString& path, bool isMp3) {
    norva::preview::showPreviewPlayer(parent, path, isMp3,
                                      norva::preview::systemPreviewEnvironment(shown));
  };
  ExplorerServices services{
      link, settings, prompter, worker, handler, norva::desktop::openWithDesktop, preview};
  int status = 0;
  {
    TrelliqWindow window(services);
    windowPrompter.setParent(&window);
    norva::desktop::QtFileDialogs dialogs(&window);
    handler.attach(std::make_unique<DeviceCommands>(DeviceCommandsEnvironment{
        link, settings, prompter, dialogs, norva::desktop::openWithDesktop,
        QApplication::applicationFilePath().toStdString(), window.playerPane(),
        [&window] { return window.desktop().folder(); }}));
    window.updateCommands();
    PlayerWatcher watcher(playerStateFolder());
    QObject::connect(&watcher, &PlayerWatcher::deviceChanged, &window,
                     &TrelliqWindow::deviceChanged);
    if (args.screenshot) {
      window.resize(960, 600);
      window.show();
      QCoreApplication::processEvents();
      QCoreApplication::processEvents();
      const bool saved = window.grab().save(*args.screenshot, "PNG");
      if (!saved) std::fprintf(stderr, "trelliq: cannot write %s\n", qPrintable(*args.screenshot));
      if (!window.playerShown()) std::fprintf(stderr, "trelliq: no player is connected\n");
      status = saved && libraryLoaded && window.playerShown() && !screenshotPrompter.anythingShown()
                   ? 0
                   : 1;
    } else {
      window.showAsStored();
      status = QApplication::exec();
    }
    windowPrompter.setParent(nullptr);
    handler.attach(nullptr);
  }
  link.Shutdown();
  return status;
}
