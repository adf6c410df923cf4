#pragma once
// The device manager's commands that open dialogs of their own or run their own operations:
// firmware and boot code upgrade, the font commands, the Configuration dialog, the medium
// information, the driver scripts, the user manual and the about box. The main window asks the
// handler whether it carries a command, whether it is enabled, and hands it over.
class QWidget;

namespace norva::device {

enum class DeviceCommandOutcome {
  Done,        // the command ran
  Cancelled,   // the user said no somewhere; nothing changed
  Failed,      // it could not be done; a message said why
  EndProgram,  // the main window closes (the player must be unplugged after an upgrade)
  NotHandled,  // not one of this handler's commands
};

inline const char* toString(DeviceCommandOutcome outcome) {
  switch (outcome) {
    case DeviceCommandOutcome::Done: return "done";
    case DeviceCommandOutcome::Cancelled: return "cancelled";
    case DeviceCommandOutcome::Failed: return "failed";
    case DeviceCommandOutcome::EndProgram: return "end program";
    case DeviceCommandOutcome::NotHandled: return "not handled";
  }
  return "unknown";
}

class DeviceCommandHandler {
 public:
  virtual ~DeviceCommandHandler() = default;
  virtual bool handles(int commandId) const = 0;
  virtual bool isEnabled(int commandId) const = 0;
  virtual DeviceCommandOutcome run(int commandId, QWidget* parent) = 0;
  // "Disk Properties" of a memory view: the Disk Medium Information dialog of `drive`.
  virtual DeviceCommandOutcome showMediumInformation(int drive, QWidget* parent) = 0;
};

}  // namespace norva::device
