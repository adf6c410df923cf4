#include "device/player_pane.h"

#include "device/device_messages.h"

namespace norva::device {
namespace {

bool driveUsable(const PlayerPane& pane, int drive) {
  return pane.driveCount > drive && (pane.driveMask & (1 << drive)) != 0;
}

}  // namespace

const char* toString(PaneCommand command) {
  switch (command) {
    case PaneCommand::FirmwareUpgrade:
      return "firmware upgrade";
    case PaneCommand::BootCodeUpgrade:
      return "boot code upgrade";
    case PaneCommand::FontDownload:
      return "font download";
    case PaneCommand::FontInformation:
      return "font information";
    case PaneCommand::FontCopy:
      return "font copy";
    case PaneCommand::FontErase:
      return "font erase";
    case PaneCommand::RawDataDrive0:
      return "raw data of drive 0";
    case PaneCommand::RawDataDrive1:
      return "raw data of drive 1";
  }
  return "unknown";
}

bool commandEnabled(const PlayerPane& pane, PaneCommand command) {
  switch (command) {
    case PaneCommand::FirmwareUpgrade:
    case PaneCommand::BootCodeUpgrade:
      return pane.driveCount >= 1;
    case PaneCommand::FontDownload:
    case PaneCommand::FontInformation:
    case PaneCommand::FontCopy:
    case PaneCommand::FontErase:
    case PaneCommand::RawDataDrive0:
      return driveUsable(pane, 0);
    case PaneCommand::RawDataDrive1:
      return driveUsable(pane, 1);
  }
  return false;
}

std::string firmwareStatusText(const std::optional<std::string>& version) {
  if (!version) return {};
  return version->empty() ? std::string(kUnknownFirmwareVersion) : *version;
}

}  // namespace norva::device
