#include "device/app/worker_progress.h"

#include <QEventLoop>
#include <QProgressDialog>
#include <QThread>
#include <memory>

namespace norva::device {

DeviceCode runWithProgress(QWidget* parent, const QString& label, const DeviceWork& work) {
  QProgressDialog progress(label, QString(), 0, 0, parent);
  progress.setWindowModality(Qt::ApplicationModal);
  progress.setMinimumDuration(0);
  progress.setAutoClose(false);
  progress.setAutoReset(false);
  progress.show();

  DeviceCode result = kCodeOk;
  std::unique_ptr<QThread> worker(QThread::create([&] { result = work(); }));
  QEventLoop loop;
  QObject::connect(worker.get(), &QThread::finished, &loop, &QEventLoop::quit);
  worker->start();
  // The modal box refuses input to the windows below; messages from the worker are shown.
  loop.exec();
  worker->wait();
  progress.close();
  return result;
}

}  // namespace norva::device
