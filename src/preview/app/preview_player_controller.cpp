#include "preview/app/preview_player_controller.h"

#include <QFileInfo>

#include "audio/borrowed_output.h"
#include "base/gbk_codec.h"
#include "preview/device_volume.h"
#include "preview/preview_messages.h"
#include "preview/service/lyric_loader.h"

namespace norva::preview {
namespace {

std::filesystem::path toPath(const QString& path) {
  return std::filesystem::path(path.toStdU16String());
}

}  // namespace

const char* toString(PlayState state) {
  switch (state) {
    case PlayState::Stopped:
      return "stopped";
    case PlayState::Playing:
      return "playing";
    case PlayState::Paused:
      return "paused";
  }
  return "unknown play state";
}

PreviewPlayerController::PreviewPlayerController(QString path, bool isMp3, PreviewEnvironment env,
                                                 QObject* parent)
    : QObject(parent),
      path_(std::move(path)),
      isMp3_(isMp3),
      env_(std::move(env)),
      device_(env_.makeOutput()),
      progress_(env_.makeTicks()),
      infoRefresh_(env_.makeTicks()) {}

PreviewPlayerController::~PreviewPlayerController() {
  stopTimers();
  engine_.reset();
}

QString PreviewPlayerController::windowTitle() const {
  return QString::fromUtf8(kPlayerCaption) + QStringLiteral(" - \"") + path_ + QChar('"');
}

QString PreviewPlayerController::fileName() const {
  return QFileInfo(path_).fileName();
}

void PreviewPlayerController::start() {
  refreshInfo();
  play();
}

void PreviewPlayerController::play() {
  switch (state_) {
    case PlayState::Paused:
      engine_->resume();
      state_ = PlayState::Playing;
      return;
    case PlayState::Playing:
      return;
    case PlayState::Stopped:
      break;
  }
  loadLyric();
  emit positionChanged(0);
  // The volume comes from the device this window keeps: no engine exists yet.
  emit volumeShown(percentOfDeviceLevel(device_->volume()));
  if (!engine_)
    engine_ = std::make_unique<MpegPlayer>(std::make_unique<audio::BorrowedOutput>(*device_));
  lastOpen_ = engine_->open(toPath(path_));
  if (lastOpen_ != OpenOutcome::Opened) {
    // Nothing plays and nothing is said; no engine is kept for a file that did not open.
    engine_.reset();
    return;
  }
  startTimers();
  state_ = PlayState::Playing;
}

void PreviewPlayerController::pause() {
  if (state_ != PlayState::Playing) return;
  engine_->pause();
  state_ = PlayState::Paused;
}

void PreviewPlayerController::stop() {
  state_ = PlayState::Stopped;
  if (!engine_) return;
  dropEngine();
  emit timeTextChanged(QString::fromStdString(timeText(0)));
}

void PreviewPlayerController::setVolume(int percent) {
  device_->setVolume(deviceLevelFor(percent));
}

void PreviewPlayerController::beginPositionDrag() {
  if (dragging_) return;
  stopTimers();
  dragging_ = true;
}

void PreviewPlayerController::endPositionScroll(int position) {
  const bool wasDragging = dragging_;
  dragging_ = false;
  if (!engine_) {
    emit positionChanged(0);
    return;
  }
  engine_->seek(position);
  if (wasDragging) startTimers();
}

void PreviewPlayerController::progressStep() {
  if (state_ != PlayState::Playing || !engine_) return;
  emit positionChanged(engine_->position());
  // The time heard, not the time decoded: the decode thread runs up to a ring ahead.
  const int64_t tenths = tenthsPlayed(engine_->framesPlayed(), engine_->msPerFrame());
  emit timeTextChanged(QString::fromStdString(timeText(tenths)));
  if (lyric_) {
    const auto step = lyricProgress_.update(tenths);
    if (step.screen) {
      if (step.changed) emit lyricTextChanged(QString());
      emit lyricTextChanged(
          QString::fromStdString(gbkToUtf8(lyric_->entries()[*step.screen].text)));
    } else {
      emit lyricTextChanged(QString());
    }
  }
  if (engine_->endOfData()) {
    // The time shown stays at its last value.
    state_ = PlayState::Stopped;
    dropEngine();
  }
}

void PreviewPlayerController::refreshInfo() {
  emit infoTextChanged(fileName());
}

void PreviewPlayerController::loadLyric() {
  auto load = loadLyricFor(toPath(path_), !isMp3_);
  lyric_ = std::move(load.track);
  lyricProgress_ = LyricProgress(lyric_ ? &*lyric_ : nullptr);
  if (load.missingMessage) emit lyricTextChanged(QString::fromStdString(*load.missingMessage));
}

void PreviewPlayerController::startTimers() {
  progress_->start(kProgressInterval, [this] { progressStep(); });
  infoRefresh_->start(kInfoRefreshInterval, [this] { refreshInfo(); });
}

void PreviewPlayerController::stopTimers() {
  progress_->stop();
  infoRefresh_->stop();
}

void PreviewPlayerController::dropEngine() {
  stopTimers();
  emit positionChanged(0);
  engine_.reset();
  emit lyricTextChanged(QString());
}

}  // namespace norva::preview
