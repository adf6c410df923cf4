#pragma once
// What the panes of the explorer window share: the device link and its settings, the prompter,
// the one worker of the long operations, the handler of the other device commands, and the
// desktop's "open" and the preview player as the program connects them.
#include <QString>
#include <functional>

#include "base/prompter.h"
#include "desktop/desktop_opener.h"
#include "device/app/device_command_handler.h"
#include "device/app/device_worker.h"
#include "device/service/device_link.h"
#include "device/service/device_settings.h"

class QWidget;

namespace norva::device {

// Plays an MP3 (isMp3 true) or MPR file modally over `parent`.
using PreviewOpener = std::function<void(QWidget* parent, const QString& path, bool isMp3)>;

struct ExplorerServices {
  DeviceLink& link;
  DeviceSettings& settings;
  Prompter& prompter;  // safe to ask from the worker
  DeviceWorker& worker;
  DeviceCommandHandler& handler;
  desktop::UrlOpener openUrl;  // double click on a file
  PreviewOpener preview;       // empty: the program carries no preview
};

}  // namespace norva::device
