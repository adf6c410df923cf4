#include "device/app/device_commands.h"

#include <QApplication>
#include <QDialog>
#include <QFileInfo>
#include <QUrl>

#include "desktop/about_dialog.h"
#include "device/app/configuration_dialog.h"
#include "device/app/font_info_dialog.h"
#include "device/app/medium_info_dialog.h"
#include "device/device_messages.h"
#include "device/medium_information.h"
#include "device/service/driver_script_files.h"

namespace norva::device {
namespace {

// The shell's "no application is associated" result: what a link the desktop would not open
// reports here.
constexpr int kNoAssociationResult = 31;

std::string utf8(const QString& text) {
  return text.toUtf8().toStdString();
}

}  // namespace

int runModally(QDialog& dialog) {
  return dialog.exec();
}

DeviceCommandOutcome outcomeOf(DeviceCode code) {
  if (code == kCodeOk) return DeviceCommandOutcome::Done;
  if (code == kCodeCancelled) return DeviceCommandOutcome::Cancelled;
  return DeviceCommandOutcome::Failed;
}

DeviceCommands::DeviceCommands(DeviceCommandsEnvironment env)
    : env_(std::move(env)), chooser_(env_.dialogs) {
  env_.link.setFileChooser(&chooser_);
}

DeviceCommands::~DeviceCommands() {
  env_.link.setFileChooser(nullptr);
}

bool DeviceCommands::handles(int commandId) const {
  switch (commandId) {
    case command::kFirmwareUpgrade:
    case command::kBootCodeUpgrade:
    case command::kFontDownload:
    case command::kFontInformation:
    case command::kFontCopy:
    case command::kFontErase:
    case command::kConfiguration:
    case command::kInstallDriver:
    case command::kUninstallDriver:
    case command::kInstallWin98Disk:
    case command::kUninstallWin98Disk:
    case command::kUserManual:
    case command::kHtmlHelp:
    case command::kAbout:
      return true;
    default:
      return false;
  }
}

bool DeviceCommands::isEnabled(int commandId) const {
  switch (commandId) {
    case command::kFirmwareUpgrade:
    case command::kBootCodeUpgrade:
    case command::kFontDownload:
    case command::kFontInformation:
    case command::kFontCopy:
    case command::kFontErase:
      return commandEnabled(env_.pane, static_cast<PaneCommand>(commandId));
    case command::kInstallWin98Disk:
    case command::kUninstallWin98Disk:
      return false;
    default:
      return handles(commandId);
  }
}

DeviceCommandOutcome DeviceCommands::run(int commandId, QWidget* parent) {
  switch (commandId) {
    case command::kFirmwareUpgrade:
      return upgrade(FirmwareKind::CodecCode, parent);
    case command::kBootCodeUpgrade:
      return upgrade(FirmwareKind::BootCode, parent);
    case command::kFontDownload:
      return fontDownload(parent);
    case command::kFontInformation:
      return fontInformation(parent);
    case command::kFontCopy:
      return fontCopy(parent);
    case command::kFontErase:
      return fontErase(parent);
    case command::kConfiguration:
      return configuration(parent);
    case command::kInstallDriver:
      return driverScript(true);
    case command::kUninstallDriver:
      return driverScript(false);
    case command::kInstallWin98Disk:
    case command::kUninstallWin98Disk:
      return DeviceCommandOutcome::Done;  // these commands do nothing
    case command::kUserManual:
      return userManual();
    case command::kHtmlHelp:
      return htmlHelp();
    case command::kAbout:
      return about(parent);
    default:
      return DeviceCommandOutcome::NotHandled;
  }
}

DeviceCommandOutcome DeviceCommands::upgrade(FirmwareKind kind, QWidget* parent) {
  DeviceCode code = kCodeCancelled;
  if (!env_.link.hasHandle()) {
    code = env_.link.UpgradeFirmware(parent, kind);  // reports that no player is connected
  } else {
    // The file is chosen here, on the GUI thread; the conversion and the upgrade itself run
    // on the worker with that choice.
    const bool boot = kind == FirmwareKind::BootCode;
    const auto chosen = chooser_.chooseFileToOpen(
        parent, boot ? kBootCodeUpgradeTitle : kFirmwareUpgradeTitle, kIntelHexFilter,
        env_.settings.text(boot ? kBootCodeNameKey : kCodecCodeNameKey));
    if (!chosen) return DeviceCommandOutcome::Cancelled;
    ChosenFile preset(*chosen);
    env_.link.setFileChooser(&preset);
    code = env_.runWorker(parent, QString::fromUtf8(kFirmwareProgressText),
                          [&] { return env_.link.UpgradeFirmware(parent, kind); });
    env_.link.setFileChooser(&chooser_);
  }
  // After any upgrade that was not cancelled the player must be unplugged and restarted.
  if (showUnplugNotice(env_.prompter, code)) return DeviceCommandOutcome::EndProgram;
  return DeviceCommandOutcome::Cancelled;
}

DeviceCommandOutcome DeviceCommands::fontDownload(QWidget* parent) {
  const DeviceCode code = env_.link.DownloadFont(parent);
  env_.refreshMemoryView(0);
  return outcomeOf(code);
}

DeviceCommandOutcome DeviceCommands::fontInformation(QWidget* parent) {
  FontInfoDialog dialog(env_.link, parent);
  env_.runDialog(dialog);
  return dialog.hasRecord() ? DeviceCommandOutcome::Done : DeviceCommandOutcome::Failed;
}

DeviceCommandOutcome DeviceCommands::fontCopy(QWidget* parent) {
  const DeviceCode code = env_.link.UploadFont(parent, utf8(env_.desktopFolder()));
  env_.refreshDesktop();
  return outcomeOf(code);
}

DeviceCommandOutcome DeviceCommands::fontErase(QWidget* parent) {
  const DeviceCode code = env_.link.EraseFont(parent);
  env_.refreshMemoryView(0);
  return outcomeOf(code);
}

DeviceCommandOutcome DeviceCommands::configuration(QWidget* parent) {
  ConfigurationDialog dialog(env_.link, env_.settings, env_.dialogs, parent);
  return env_.runDialog(dialog) == QDialog::Accepted ? DeviceCommandOutcome::Done
                                                     : DeviceCommandOutcome::Cancelled;
}

DeviceCommandOutcome DeviceCommands::showMediumInformation(int drive, QWidget* parent) {
  MediumInfoDialog dialog(env_.link, drive, parent);
  env_.runDialog(dialog);
  return DeviceCommandOutcome::Done;
}

std::filesystem::path DeviceCommands::programFolder() const {
  return env_.programPath.parent_path();
}

DeviceCommandOutcome DeviceCommands::driverScript(bool install) {
  const char* caption = install ? kInstallDriverMenu : kUninstallDriverMenu;
  const WrittenScript written =
      writeDriverScript(programFolder(), install ? DriverScript::Install : DriverScript::Uninstall,
                        hostScriptTarget());
  const QString path = QString::fromStdString(written.path.string());
  if (!written.write.ok()) {
    tell(env_.prompter,
         utf8(QString::fromUtf8(kScriptNotWrittenText)
                  .arg(path, QString::fromStdString(written.write.error))),
         caption, MessageIcon::Error);
    return DeviceCommandOutcome::Failed;
  }
  if (driverScriptsRunHere()) {
    if (env_.openUrl) env_.openUrl(QUrl::fromLocalFile(path));
    return DeviceCommandOutcome::Done;
  }
  tell(env_.prompter, utf8(QString::fromUtf8(kScriptWrittenText).arg(path)), caption,
       MessageIcon::Information);
  return DeviceCommandOutcome::Done;
}

DeviceCommandOutcome DeviceCommands::userManual() {
  const QString program = QString::fromStdString(env_.programPath.string());
  const QString manual = QString::fromUtf8(kUserManualFile);
  if (desktop::openManual(env_.openUrl, program, manual)) return DeviceCommandOutcome::Done;
  tell(env_.prompter,
       utf8(QString::fromUtf8(kManualNotOpened)
                .arg(desktop::manualUrl(program, manual).toLocalFile())),
       kProgramCaption, MessageIcon::Warning);
  return DeviceCommandOutcome::Failed;
}

DeviceCommandOutcome DeviceCommands::htmlHelp() {
  // The help is the manual as HTML pages, opened in the desktop's browser at its table of
  // contents: in "HtmlHelp" beside the program, or where the installed manual lies. Without it
  // nothing happens, as where no help viewer exists.
  const QUrl help = desktop::manualUrl(QString::fromStdString(env_.programPath.string()),
                                       QString::fromUtf8(kHtmlHelpIndex));
  if (QFileInfo::exists(help.toLocalFile()) && env_.openUrl) env_.openUrl(help);
  return DeviceCommandOutcome::Done;
}

DeviceCommandOutcome DeviceCommands::about(QWidget* parent) {
  const desktop::AboutTexts texts{QString::fromUtf8(kAboutTitle), QString::fromUtf8(kAboutLine),
                                  QString::fromUtf8(kMakerWebAddress)};
  desktop::UrlOpener openLink = [this](const QUrl& url) {
    if (env_.openUrl && env_.openUrl(url)) return true;
    QApplication::beep();
    tell(env_.prompter,
         std::string(kHyperlinkErrorPrefix) + hyperlinkErrorText(kNoAssociationResult),
         kProgramCaption, MessageIcon::Warning);
    return false;
  };
  desktop::AboutDialog dialog(texts, openLink, parent);
  env_.runDialog(dialog);
  return DeviceCommandOutcome::Done;
}

}  // namespace norva::device
