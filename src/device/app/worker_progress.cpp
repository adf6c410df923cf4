#include "device/app/worker_progress.h"

#include <QEventLoop>
#include <QMetaObject>
#include <QProgressDialog>
#include <thread>

namespace norva::device {

DeviceCode runWithProgress(QWidget* parent, const QString& label, const DeviceWork& work) {
  QProgressDialog progress(label, QString(), 0, 0, parent);
  progress.setWindowModality(Qt::ApplicationModal);
  progress.setMinimumDuration(0);
  progress.setAutoClose(false);
  progress.setAutoReset(false);
  progress.show();

  DeviceCode result = kCodeOk;
  QEventLoop loop;
  std::thread worker([&] {
    result = work();
    // Posted, so it also ends the loop when the work is done before the loop has started.
    QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
  });
  // The modal box refuses input to the windows below; messages from the worker are shown.
  loop.exec();
  worker.join();
  progress.close();
  return result;
}

}  // namespace norva::device
