#pragma once
// Runs a long device operation on a worker thread while a progress box (no cancel: the player
// must not be left half written) keeps the window painted and responsive. Messages the
// operation shows reach the user through GuiThreadPrompter.
#include <QString>
#include <functional>

#include "device/service/device_link.h"

class QWidget;

namespace norva::device {

using DeviceWork = std::function<DeviceCode()>;
using WorkerRunner =
    std::function<DeviceCode(QWidget* parent, const QString& label, const DeviceWork& work)>;

// The program's runner: a window-modal busy indicator over `parent`, the work on its own
// thread, the GUI event loop running until the work ends.
DeviceCode runWithProgress(QWidget* parent, const QString& label, const DeviceWork& work);

}  // namespace norva::device
