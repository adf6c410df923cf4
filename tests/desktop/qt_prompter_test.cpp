#include "desktop/qt_prompter.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <functional>

#include "test_support/qt_test_app.h"

namespace norva::desktop {
namespace {

// What the box looked like while it was open.
struct SeenBox {
  QString title;
  QString text;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  QMessageBox::StandardButtons buttons;
};

// Shows `message` and, once the box is open, records it and presses `press` in it.
Answer showAndPress(const Message& message, QMessageBox::StandardButton press, SeenBox& seen) {
  norva::testing::offscreenApp<QApplication>();
  QtPrompter prompter;
  QTimer::singleShot(0, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    seen = {box->windowTitle(), box->text(), box->icon(), box->standardButtons()};
    QAbstractButton* button = box->button(press);
    ASSERT_NE(button, nullptr);
    button->click();
  });
  return prompter.show(message);
}

TEST(QtPrompter, ShowsTheMessageAndGivesTheAnswerOfTheButtonPressed) {
  using SB = QMessageBox::StandardButton;
  const struct {
    MessageButtons buttons;
    SB press;
    QMessageBox::StandardButtons shown;
    Answer answer;
  } cases[] = {
      {MessageButtons::Ok, SB::Ok, SB::Ok, Answer::Ok},
      {MessageButtons::OkCancel, SB::Ok, SB::Ok | SB::Cancel, Answer::Ok},
      {MessageButtons::OkCancel, SB::Cancel, SB::Ok | SB::Cancel, Answer::Cancel},
      {MessageButtons::YesNo, SB::Yes, SB::Yes | SB::No, Answer::Yes},
      {MessageButtons::YesNo, SB::No, SB::Yes | SB::No, Answer::No},
      {MessageButtons::YesNoCancel, SB::Yes, SB::Yes | SB::No | SB::Cancel, Answer::Yes},
      {MessageButtons::YesNoCancel, SB::No, SB::Yes | SB::No | SB::Cancel, Answer::No},
      {MessageButtons::YesNoCancel, SB::Cancel, SB::Yes | SB::No | SB::Cancel, Answer::Cancel},
  };
  for (const auto& c : cases) {
    SeenBox seen;
    const Answer answer = showAndPress(
        Message{"该文件已经存在，要覆盖吗？", "LOGO编辑工具", MessageIcon::Question, c.buttons},
        c.press, seen);
    EXPECT_EQ(answer, c.answer) << int(c.buttons) << " " << int(c.press);
    EXPECT_EQ(seen.buttons, c.shown);
    EXPECT_EQ(seen.title, QStringLiteral("LOGO编辑工具"));
    EXPECT_EQ(seen.text, QStringLiteral("该文件已经存在，要覆盖吗？"));
  }
}

TEST(QtPrompter, IconsMapToTheBoxesIcons) {
  const struct {
    MessageIcon icon;
    QMessageBox::Icon shown;
  } cases[] = {
      {MessageIcon::None, QMessageBox::NoIcon},
      {MessageIcon::Information, QMessageBox::Information},
      {MessageIcon::Warning, QMessageBox::Warning},
      {MessageIcon::Error, QMessageBox::Critical},
      {MessageIcon::Question, QMessageBox::Question},
  };
  for (const auto& c : cases) {
    SeenBox seen;
    showAndPress(Message{"text", "caption", c.icon, MessageButtons::Ok}, QMessageBox::Ok, seen);
    EXPECT_EQ(seen.icon, c.shown) << int(c.icon);
  }
}

}  // namespace
}  // namespace norva::desktop
