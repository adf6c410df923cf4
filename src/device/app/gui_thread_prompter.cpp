#include "device/app/gui_thread_prompter.h"

#include <QMetaObject>
#include <QThread>
#include <condition_variable>
#include <memory>
#include <mutex>

namespace norva::device {
namespace {

// One question carried across: the worker fills it and waits, the user-interface thread
// answers. Every access holds the lock, so the hand-off is plain to thread checkers too.
struct Question {
  std::mutex lock;
  std::condition_variable answered;
  Message message;
  Answer answer = Answer::Cancel;
  bool done = false;
};

}  // namespace

Answer GuiThreadPrompter::show(const Message& message) {
  if (QThread::currentThread() == gui_.thread()) return target_.show(message);
  auto question = std::make_shared<Question>();
  {
    const std::lock_guard hold(question->lock);
    question->message = message;
  }
  QMetaObject::invokeMethod(
      &gui_,
      [this, question] {
        Message asked;
        {
          const std::lock_guard hold(question->lock);
          asked = question->message;
        }
        const Answer answer = target_.show(asked);
        const std::lock_guard hold(question->lock);
        question->answer = answer;
        question->done = true;
        question->answered.notify_one();
      },
      Qt::QueuedConnection);
  std::unique_lock hold(question->lock);
  question->answered.wait(hold, [&] { return question->done; });
  return question->answer;
}

}  // namespace norva::device
