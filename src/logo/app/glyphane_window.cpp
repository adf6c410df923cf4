#include "logo/app/glyphane_window.h"

#include <QAction>
#include <QGuiApplication>
#include <QMenuBar>
#include <QScreen>

#include "logo/app/glyphane_controller.h"
#include "logo/app/skin_artwork.h"
#include "logo/app/skin_view.h"

namespace norva::logo {

desktop::AboutTexts glyphaneAboutTexts() {
  return {QString::fromUtf8(kAboutTitle), QString::fromUtf8(kAboutLine),
          QString::fromUtf8(kMakerWebAddress)};
}

GlyphaneWindow::GlyphaneWindow(GlyphaneController& controller, desktop::UrlOpener openUrl,
                               QWidget* parent)
    : QMainWindow(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                              Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      controller_(controller),
      openUrl_(std::move(openUrl)) {
  setWindowTitle(QString::fromUtf8(kLogoCaption));
  QIcon icon;
  for (int side : {16, 32, 48}) icon.addPixmap(QPixmap::fromImage(makeProgramIcon(side)));
  setWindowIcon(icon);
  view_ = new SkinView(controller_, this);
  setCentralWidget(view_);

  QMenu* file = menuBar()->addMenu(QStringLiteral("文件(&F)"));
  addCommand(file, QStringLiteral("打开图像文件(&Open)"), kCmdOpen)
      ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
  addCommand(file, QStringLiteral("保存为(*.LGO)"), kCmdSave);
  addCommand(file, QStringLiteral("退出(&X)"), kCmdExit);
  QMenu* settings = menuBar()->addMenu(QStringLiteral("设置(&S)"));
  addCommand(settings, QStringLiteral("注册 LGO 文件类型"), kCmdRegister);
  addCommand(settings, QStringLiteral("解除 LGO 文件注册"), kCmdUnregister);
  QMenu* help = menuBar()->addMenu(QStringLiteral("帮助(&H)"));
  addCommand(help, QStringLiteral("关于LOGO编辑软件(&B)..."), kCmdAbout);
  addCommand(help, QStringLiteral("用户手册"), kCmdManual)->setShortcut(QKeySequence(Qt::Key_F1));

  action(kCmdSave)->setEnabled(controller_.saveEnabled());
  connect(&controller_, &GlyphaneController::saveEnabledChanged, this,
          [this](bool enabled) { action(kCmdSave)->setEnabled(enabled); });
  connect(&controller_, &GlyphaneController::aboutRequested, this, [this] { showAbout(); });
  connect(&controller_, &GlyphaneController::quitRequested, this, [this] { close(); });

  // The client area is exactly the face; the menu bar comes on top of it.
  adjustSize();
  setFixedSize(sizeHint());
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    QRect frame = frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    move(frame.topLeft());
  }
}

QAction* GlyphaneWindow::addCommand(QMenu* menu, const QString& text, int command) {
  QAction* act = menu->addAction(text);
  connect(act, &QAction::triggered, this, [this, command] { controller_.postCommand(command); });
  actions_.emplace_back(command, act);
  return act;
}

QAction* GlyphaneWindow::action(int command) const {
  for (const auto& [id, act] : actions_)
    if (id == command) return act;
  return nullptr;
}

void GlyphaneWindow::moveEvent(QMoveEvent* event) {
  QMainWindow::moveEvent(event);
  controller_.repaintSkin();
}

void GlyphaneWindow::showAbout() {
  desktop::AboutDialog dialog(glyphaneAboutTexts(), openUrl_, this);
  dialog.exec();
}

}  // namespace norva::logo
