#include "editor/app/player_screen_dock.h"

#include <QCloseEvent>

#include "base/gbk_codec.h"
#include "editor/app/player_face_view.h"

namespace norva::editor {

PlayerScreenDock::PlayerScreenDock(const QString& title, preview::TickSourceFactory makeTicks,
                                   QWidget* parent)
    : QDockWidget(title, parent),
      positionTicks_(makeTicks()),
      compileTicks_(makeTicks()),
      face_(new PlayerFaceView(this)) {
  setObjectName(QStringLiteral("playerScreen"));
  setWidget(face_);
  setAllowedAreas(Qt::AllDockWidgetAreas);
}

PlayerScreenDock::~PlayerScreenDock() = default;

void PlayerScreenDock::setLyricSource(LyricSource lyric) {
  source_ = std::move(lyric);
  textEdited();
}

void PlayerScreenDock::setPositionSource(PositionSource position) {
  position_ = std::move(position);
  if (isVisible()) showPosition();
}

void PlayerScreenDock::textEdited() {
  stale_ = true;
  // Hidden, nothing is compiled; showing compiles at once.
  if (!isVisible() || compileTicks_->active()) return;
  compileTicks_->start(kCompileDelay, [this] {
    compileTicks_->stop();
    compile();
    showPosition();
  });
}

void PlayerScreenDock::compile() {
  lyric_ = source_ ? source_() : LiveLyric::compile({});
  stale_ = false;
  shownOnce_ = false;
}

void PlayerScreenDock::showPosition() {
  if (stale_) return;
  if (lyric_.outcome() != LiveCompile::Compiled) {
    const std::string_view error = lyric_.errorText();
    face_->showMessage(QString::fromUtf8(error.data(), static_cast<qsizetype>(error.size())));
    shownOnce_ = false;
    return;
  }
  const std::optional<double> seconds = position_ ? position_() : std::nullopt;
  std::optional<std::string> screen = seconds ? lyric_.screenAt(*seconds) : std::nullopt;
  if (shownOnce_ && screen == shown_) return;
  face_->showScreen(QString::fromStdString(gbkToUtf8(screen.value_or(std::string{}))),
                    lyric_.fontClass());
  shown_ = std::move(screen);
  shownOnce_ = true;
}

void PlayerScreenDock::showEvent(QShowEvent* event) {
  QDockWidget::showEvent(event);
  if (stale_) compile();
  showPosition();
  positionTicks_->start(kPositionInterval, [this] { showPosition(); });
}

void PlayerScreenDock::hideEvent(QHideEvent* event) {
  positionTicks_->stop();
  compileTicks_->stop();
  QDockWidget::hideEvent(event);
}

void PlayerScreenDock::closeEvent(QCloseEvent* event) {
  QDockWidget::closeEvent(event);
  if (!event->isAccepted()) return;
  hide();  // before it is told, so that whoever listens sees it hidden
  emit closedByUser();
}

}  // namespace norva::editor
