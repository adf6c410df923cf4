#include "device/app/gui_thread_prompter.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QThread>
#include <future>

namespace norva::device {

Answer GuiThreadPrompter::show(const Message& message) {
  QCoreApplication* app = QCoreApplication::instance();
  if (app == nullptr || QThread::currentThread() == app->thread()) return shown_.show(message);
  std::promise<Answer> answered;
  std::future<Answer> answer = answered.get_future();
  QMetaObject::invokeMethod(
      app, [&] { answered.set_value(shown_.show(message)); }, Qt::QueuedConnection);
  return answer.get();
}

}  // namespace norva::device
