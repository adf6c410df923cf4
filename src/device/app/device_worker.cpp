#include "device/app/device_worker.h"

#include <QEventLoop>
#include <QMetaObject>

namespace norva::device {

DeviceWorker::DeviceWorker(QObject* parent) : QObject(parent) {
  thread_.setObjectName(QStringLiteral("device worker"));
  runner_.moveToThread(&thread_);
  thread_.start();
}

DeviceWorker::~DeviceWorker() {
  waitUntilIdle();
  thread_.quit();
  thread_.wait();
}

bool DeviceWorker::start(Operation operation, Done done) {
  if (busy_) return false;
  busy_ = true;
  emit started();
  QMetaObject::invokeMethod(&runner_,
                            [this, operation = std::move(operation), done = std::move(done)] {
                              const DeviceCode code = operation();
                              QMetaObject::invokeMethod(
                                  this,
                                  [this, code, done] {
                                    busy_ = false;
                                    // The window first (a device change that came meanwhile
                                    // is handled now), then the operation's own follow-up.
                                    emit finished(code);
                                    if (done) done(code);
                                  },
                                  Qt::QueuedConnection);
                            });
  return true;
}

void DeviceWorker::waitUntilIdle() {
  if (!busy_) return;
  QEventLoop loop;
  connect(this, &DeviceWorker::finished, &loop, &QEventLoop::quit);
  loop.exec();
}

}  // namespace norva::device
