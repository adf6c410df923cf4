#pragma once
// The device manager's commands with dialogs or operations of their own, by their command
// numbers: firmware and boot code upgrade, the font commands, the Configuration dialog, the
// medium information, the driver scripts, the user manual, HTML help and the about box.
#include <QString>
#include <filesystem>
#include <functional>

#include "base/prompter.h"
#include "desktop/desktop_opener.h"
#include "desktop/file_dialogs.h"
#include "device/app/device_command_handler.h"
#include "device/app/dialog_file_chooser.h"
#include "device/app/trelliq_commands.h"
#include "device/app/worker_progress.h"
#include "device/player_pane.h"
#include "device/service/device_link.h"
#include "device/service/device_settings.h"

class QDialog;

namespace norva::device {

// Shows a dialog and returns its result; the program runs it modally, tests open it and
// answer it.
using DialogRunner = std::function<int(QDialog& dialog)>;
int runModally(QDialog& dialog);

struct DeviceCommandsEnvironment {
  DeviceLink& link;  // built with a GuiThreadPrompter around `prompter`
  DeviceSettings& settings;
  Prompter& prompter;
  desktop::FileDialogs& dialogs;
  desktop::UrlOpener openUrl;         // the desktop's "open"
  std::filesystem::path programPath;  // the program's own file; its folder holds the manual
  const PlayerPane& pane;             // as the last refresh left it (enabling)
  std::function<QString()> desktopFolder = [] { return QString(); };  // the desktop pane's
  std::function<void(int drive)> refreshMemoryView = [](int) {};
  std::function<void()> refreshDesktop = [] {};
  WorkerRunner runWorker = runWithProgress;
  DialogRunner runDialog = runModally;
};

class DeviceCommands : public DeviceCommandHandler {
 public:
  explicit DeviceCommands(DeviceCommandsEnvironment env);
  ~DeviceCommands() override;
  DeviceCommands(const DeviceCommands&) = delete;
  DeviceCommands& operator=(const DeviceCommands&) = delete;

  bool handles(int commandId) const override;
  bool isEnabled(int commandId) const override;
  DeviceCommandOutcome run(int commandId, QWidget* parent) override;
  DeviceCommandOutcome showMediumInformation(int drive, QWidget* parent) override;

 private:
  DeviceCommandOutcome upgrade(FirmwareKind kind, QWidget* parent);
  DeviceCommandOutcome fontDownload(QWidget* parent);
  DeviceCommandOutcome fontInformation(QWidget* parent);
  DeviceCommandOutcome fontCopy(QWidget* parent);
  DeviceCommandOutcome fontErase(QWidget* parent);
  DeviceCommandOutcome configuration(QWidget* parent);
  DeviceCommandOutcome driverScript(bool install);
  DeviceCommandOutcome userManual();
  DeviceCommandOutcome htmlHelp();
  DeviceCommandOutcome about(QWidget* parent);
  std::filesystem::path programFolder() const;

  DeviceCommandsEnvironment env_;
  DialogFileChooser chooser_;
};

// The outcome of a device operation's code.
DeviceCommandOutcome outcomeOf(DeviceCode code);

}  // namespace norva::device
