#include "device/service/player_watcher.h"

#include "device/service/player_state.h"

namespace norva::device {

PlayerWatcher::PlayerWatcher(std::filesystem::path folder, QObject* parent)
    : QObject(parent), folder_(std::move(folder)) {
  std::error_code ec;
  std::filesystem::create_directories(folder_, ec);
  attached_ = flagPresent();
  watcher_.addPath(QString::fromStdString(folder_.string()));
  connect(&watcher_, &QFileSystemWatcher::directoryChanged, this, [this] { folderChanged(); });
}

bool PlayerWatcher::flagPresent() const {
  std::error_code ec;
  return std::filesystem::exists(folder_ / kAttachedFlagName, ec);
}

void PlayerWatcher::folderChanged() {
  const bool now = flagPresent();
  if (now == attached_) return;
  attached_ = now;
  emit deviceChanged(now);
}

}  // namespace norva::device
