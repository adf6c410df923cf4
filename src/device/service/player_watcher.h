#pragma once
// The device-change notice: a file watch on the simulated player's state folder that reports
// each time the player is attached or detached (its attached flag appears or goes).
#include <QFileSystemWatcher>
#include <QObject>
#include <filesystem>

namespace norva::device {

class PlayerWatcher : public QObject {
  Q_OBJECT

 public:
  // Creates the folder when it does not exist yet, so that a player made later is seen.
  explicit PlayerWatcher(std::filesystem::path folder, QObject* parent = nullptr);
  bool attached() const { return attached_; }

 signals:
  void deviceChanged(bool attached);

 private:
  void folderChanged();
  bool flagPresent() const;

  std::filesystem::path folder_;
  QFileSystemWatcher watcher_;
  bool attached_ = false;
};

}  // namespace norva::device
