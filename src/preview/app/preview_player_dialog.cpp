#include "preview/app/preview_player_dialog.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

#include "audio/audio_messages.h"
#include "audio/null_output.h"
#include "audio/service/system_output.h"
#include "preview/app/preview_picture.h"
#include "preview/preview_messages.h"

namespace norva::preview {
namespace {

constexpr int kVolumeMax = 100;
constexpr int kVolumeTickStep = 20;

}  // namespace

PreviewPlayerDialog::PreviewPlayerDialog(const QString& path, bool isMp3, PreviewEnvironment env,
                                         QWidget* parent)
    : QDialog(parent) {
  auto makeTicks = env.makeTicks;
  controller_ = std::make_unique<PreviewPlayerController>(path, isMp3, std::move(env));
  info_ = new InfoPanel(makeTicks(), this);
  buildControls();
  connectControls();
  setWindowTitle(controller_->windowTitle());
  controller_->start();
}

PreviewPlayerDialog::~PreviewPlayerDialog() {
  controller_->stop();
}

void PreviewPlayerDialog::buildControls() {
  auto* picture = new QLabel(this);
  picture->setPixmap(previewPicture());
  picture->setFixedSize(picture->pixmap().size());

  volume_ = new QSlider(Qt::Horizontal, this);
  volume_->setRange(0, kVolumeMax);
  volume_->setTickInterval(kVolumeTickStep);
  volume_->setTickPosition(QSlider::TicksBelow);
  position_ = new QSlider(Qt::Horizontal, this);
  position_->setRange(0, PreviewPlayerController::kPositionScale);

  play_ = new QPushButton(QStringLiteral("播放(&P)"), this);
  pause_ = new QPushButton(QStringLiteral("暂停(&Z)"), this);
  stop_ = new QPushButton(QStringLiteral("停止(&S)"), this);
  close_ = new QPushButton(QStringLiteral("关闭(&C)"), this);
  for (auto* button : {play_, pause_, stop_}) button->setAutoDefault(false);
  close_->setDefault(true);

  status_ = new PreviewStatusBar(this);

  auto* top = new QHBoxLayout;
  top->addWidget(picture, 0, Qt::AlignTop);
  top->addWidget(info_, 1);

  auto* volumeRow = new QHBoxLayout;
  auto* volumeLabel = new QLabel(QStringLiteral("音量："), this);
  volumeLabel->setBuddy(volume_);
  volumeRow->addWidget(volumeLabel);
  volumeRow->addWidget(volume_, 1);

  auto* buttons = new QHBoxLayout;
  for (auto* button : {play_, pause_, stop_, close_}) buttons->addWidget(button);

  auto* body = new QVBoxLayout;
  body->setContentsMargins(8, 8, 8, 6);
  body->addLayout(top);
  body->addWidget(position_);
  body->addLayout(volumeRow);
  body->addLayout(buttons);

  auto* outer = new QVBoxLayout(this);
  outer->setContentsMargins(0, 0, 0, 0);
  outer->setSpacing(0);
  outer->addLayout(body);
  outer->addWidget(status_);
  setSizeGripEnabled(false);
}

void PreviewPlayerDialog::connectControls() {
  auto& c = *controller_;
  connect(&c, &PreviewPlayerController::infoTextChanged, info_, &InfoPanel::setText);
  connect(&c, &PreviewPlayerController::lyricTextChanged, &status_->lyricPart(),
          &LyricScreenView::setText);
  connect(&c, &PreviewPlayerController::timeTextChanged, &status_->timePart(), &QLabel::setText);
  connect(&c, &PreviewPlayerController::positionChanged, position_, &QSlider::setValue);
  connect(&c, &PreviewPlayerController::volumeShown, volume_, &QSlider::setValue);

  connect(play_, &QPushButton::clicked, &c, &PreviewPlayerController::play);
  connect(pause_, &QPushButton::clicked, &c, &PreviewPlayerController::pause);
  connect(stop_, &QPushButton::clicked, &c, &PreviewPlayerController::stop);
  connect(close_, &QPushButton::clicked, this, &QDialog::accept);

  // The user's moves only: a position set by the window itself changes no volume.
  connect(volume_, &QSlider::actionTriggered, this,
          [this](int) { controller_->setVolume(volume_->sliderPosition()); });

  connect(position_, &QSlider::sliderPressed, &c, &PreviewPlayerController::beginPositionDrag);
  connect(position_, &QSlider::sliderReleased, this,
          [this] { controller_->endPositionScroll(position_->sliderPosition()); });
  // A click on the groove or a key moves the slider without a drag: one whole scroll.
  connect(position_, &QSlider::actionTriggered, this, [this](int action) {
    if (position_->isSliderDown() || action == QAbstractSlider::SliderMove ||
        action == QAbstractSlider::SliderNoAction)
      return;
    controller_->beginPositionDrag();
    controller_->endPositionScroll(position_->sliderPosition());
  });
}

void PreviewPlayerDialog::done(int result) {
  controller_->stop();
  QDialog::done(result);
}

QPushButton& PreviewPlayerDialog::button(PreviewCommand command) {
  switch (command) {
    case PreviewCommand::Play:
      return *play_;
    case PreviewCommand::Pause:
      return *pause_;
    case PreviewCommand::Stop:
      return *stop_;
    case PreviewCommand::Close:
      break;
  }
  return *close_;
}

PreviewEnvironment systemPreviewEnvironment(Prompter& prompter) {
  PreviewEnvironment env;
  env.makeOutput = [&prompter] {
    return audio::makeSystemOutput(
        std::make_unique<audio::NullOutput>(audio::NullOutput::Pace::RealTime),
        [&prompter](const std::string& why) {
          prompter.show(Message{audio::noSoundDeviceText(why), kPlayerCaption, MessageIcon::Warning,
                                MessageButtons::Ok});
        });
  };
  env.makeTicks = makeQtTickSource;
  return env;
}

void showPreviewPlayer(QWidget* parent, const QString& path, bool isMp3, PreviewEnvironment env) {
  PreviewPlayerDialog dialog(path, isMp3, std::move(env), parent);
  dialog.exec();
}

}  // namespace norva::preview
