#pragma once
// What the player pane knows after a refresh, and the rules that follow from it: which device
// commands are available and what the status bar shows for the firmware version.
#include <optional>
#include <string>

namespace norva::device {

struct PlayerPane {
  int driveCount = 0;  // 0, or 2 with a player connected
  int driveMask = 0;   // bit 0: drive 0 usable, bit 1: drive 1 usable
};

// Command identifiers of the device commands whose availability follows the pane.
enum class PaneCommand {
  FirmwareUpgrade = 32785,
  BootCodeUpgrade = 32791,
  FontDownload = 32793,
  FontInformation = 32798,
  FontCopy = 32799,
  FontErase = 32800,
  RawDataDrive0 = 32802,
  RawDataDrive1 = 32803
};
const char* toString(PaneCommand command);

bool commandEnabled(const PlayerPane& pane, PaneCommand command);

// The status bar's firmware pane: empty without a version, "Unknown Firmware Version" for an
// empty one, else the version.
std::string firmwareStatusText(const std::optional<std::string>& version);

}  // namespace norva::device
