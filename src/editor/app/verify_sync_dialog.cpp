#include "editor/app/verify_sync_dialog.h"

#include <QFontDatabase>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "base/gbk_codec.h"
#include "base/service/file_io.h"
#include "editor/app/command_icons.h"
#include "editor/editor_messages.h"
#include "editor/player_screen.h"
#include "preview/lyric_track.h"

namespace norva::editor {
namespace {

QString qt(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString shownPath(const std::filesystem::path& path) {
  return QString::fromStdString(path.string());
}

}  // namespace

CVerifySyncDlg::CVerifySyncDlg(const std::filesystem::path& audioPath, VerifySyncEnvironment env,
                               QWidget* parent)
    : QDialog(parent),
      env_(std::move(env)),
      timer_(env_.makeTicks ? env_.makeTicks() : preview::makeQtTickSource()),
      audioPath_(audioPath) {
  setWindowTitle(qt(text::kVerifyTitle));
  setWindowIcon(applicationIcon());

  // The player's part: what is playing and where.
  auto* playerPanel = new QFrame(this);
  playerPanel->setFrameShape(QFrame::StyledPanel);
  playerPanel->setMinimumWidth(160);
  timeLabel_ = new QLabel(qt(preview::timeText(0)), playerPanel);
  timeLabel_->setAlignment(Qt::AlignCenter);
  auto* playerLayout = new QVBoxLayout(playerPanel);
  playerLayout->addWidget(timeLabel_);

  audioButton_ = new QPushButton(qt(text::kVerifyBrowseAudio), this);
  samiButton_ = new QPushButton(qt(text::kVerifyBrowseSami), this);
  playButton_ = new QPushButton(qt(text::kVerifyPlay), this);
  playButton_->setDefault(true);
  // Only the buttons and the path handed over set the paths, so the boxes only show them.
  audioBox_ = new QLineEdit(shownPath(audioPath_), this);
  audioBox_->setReadOnly(true);
  samiBox_ = new QLineEdit(this);
  samiBox_->setReadOnly(true);
  screenBox_ = new QPlainTextEdit(this);
  screenBox_->setReadOnly(true);
  screenBox_->setLineWrapMode(QPlainTextEdit::NoWrap);
  // The player's lines are counted in bytes: a fixed-pitch font keeps them in columns.
  screenBox_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));

  auto* controls = new QGridLayout;
  controls->addWidget(new QLabel(qt(text::kVerifyPrompt), this), 0, 0, 1, 2);
  controls->addWidget(audioButton_, 1, 0);
  controls->addWidget(audioBox_, 1, 1);
  controls->addWidget(samiButton_, 2, 0);
  controls->addWidget(samiBox_, 2, 1);
  controls->addWidget(playButton_, 3, 0);
  controls->addWidget(screenBox_, 4, 0, 1, 2);
  auto* layout = new QHBoxLayout(this);
  layout->addWidget(playerPanel);
  layout->addLayout(controls, 1);

  connect(audioButton_, &QPushButton::clicked, this, &CVerifySyncDlg::browseAudio);
  connect(samiButton_, &QPushButton::clicked, this, &CVerifySyncDlg::browseSami);
  connect(playButton_, &QPushButton::clicked, this, &CVerifySyncDlg::play);
  timer_->start(kTimerInterval, [this] { tick(); });
}

CVerifySyncDlg::~CVerifySyncDlg() {
  timer_->stop();
  if (env_.player) env_.player->close();
}

void CVerifySyncDlg::browseAudio() {
  choose(verifyAudioFilters(), audioPath_, *audioBox_);
}

void CVerifySyncDlg::browseSami() {
  choose(verifySamiFilters(), samiPath_, *samiBox_);
}

void CVerifySyncDlg::choose(std::vector<FileFilter> filters, std::filesystem::path& path,
                            QLineEdit& box) {
  const std::optional<ChosenFile> chosen = env_.chooser->choosePathToOpen({std::move(filters), {}});
  if (!chosen) return;
  path = chosen->path;
  box.setText(shownPath(path));
}

void CVerifySyncDlg::play() {
  std::optional<std::string> sami;
  if (!samiPath_.empty()) {
    const ReadResult read = readWholeFile(samiPath_);
    if (read.status == ReadResult::Status::Ok)
      sami = std::string(read.bytes.begin(), read.bytes.end());
  }
  verify_.start(sami ? std::optional<std::string_view>(*sami) : std::nullopt);
  env_.player->openAndPlay(audioPath_);
}

void CVerifySyncDlg::tick() {
  audio::MediaPlayback& player = *env_.player;
  const double seconds = player.position();
  timeLabel_->setText(qt(preview::timeText(playedTenths(seconds))));
  const VerifyStep step =
      verify_.step(seconds, player.soundCardPresent(), player.errorDescription());
  if (step.screen) {
    screenText_ = QString::fromStdString(gbkToUtf8(*step.screen));
    QString shown = screenText_;
    screenBox_->setPlainText(shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
  }
  if (step.error)
    env_.prompter->show(
        {*step.error, std::string(text::kVerifyCaption), MessageIcon::Error, MessageButtons::Ok});
}

void CVerifySyncDlg::done(int result) {
  timer_->stop();
  QDialog::done(result);
}

}  // namespace norva::editor
