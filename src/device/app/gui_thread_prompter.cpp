#include "device/app/gui_thread_prompter.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QThread>

namespace norva::device {

Answer GuiThreadPrompter::show(const Message& message) {
  QCoreApplication* app = QCoreApplication::instance();
  if (app == nullptr || QThread::currentThread() == app->thread()) return shown_.show(message);
  Answer answer = Answer::Cancel;
  QMetaObject::invokeMethod(
      app, [&] { answer = shown_.show(message); }, Qt::BlockingQueuedConnection);
  return answer;
}

}  // namespace norva::device
