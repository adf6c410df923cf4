#pragma once
// The one thread that runs the long device operations (download, upload, format), so the
// window keeps answering while the player works. One operation at a time: start() refuses a
// second while the first runs. The operation's questions reach the user through a
// GuiThreadPrompter; finished() arrives on the user-interface thread.
#include <QObject>
#include <QThread>
#include <functional>

#include "device/service/device_link.h"

namespace norva::device {

class DeviceWorker : public QObject {
  Q_OBJECT

 public:
  using Operation = std::function<DeviceCode()>;
  // Runs on the user-interface thread when the operation has ended, after finished().
  using Done = std::function<void(DeviceCode)>;

  explicit DeviceWorker(QObject* parent = nullptr);
  ~DeviceWorker() override;

  // False when an operation is still running (nothing started).
  bool start(Operation operation, Done done = {});
  bool busy() const { return busy_; }
  // Runs the user-interface thread's events until the running operation has ended.
  void waitUntilIdle();

 signals:
  void started();
  void finished(quint32 code);

 private:
  QThread thread_;
  QObject runner_;  // lives on the worker thread
  bool busy_ = false;
};

}  // namespace norva::device
