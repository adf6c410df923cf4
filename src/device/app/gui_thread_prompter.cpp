#include "device/app/gui_thread_prompter.h"

#include <QMetaObject>
#include <QThread>

namespace norva::device {

Answer GuiThreadPrompter::show(const Message& message) {
  if (QThread::currentThread() == gui_.thread()) return target_.show(message);
  Answer answer = Answer::Cancel;
  QMetaObject::invokeMethod(
      &gui_, [&] { answer = target_.show(message); }, Qt::BlockingQueuedConnection);
  return answer;
}

}  // namespace norva::device
