#include "lyrics/app/mpr_convert_dialog.h"

#include <QCloseEvent>
#include <QEventLoop>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QThread>
#include <filesystem>
#include <memory>
#include <vector>

#include "base/service/file_identity.h"
#include "lyrics/app/list_choosers.h"
#include "lyrics/lyrics_messages.h"
#include "lyrics/mpr_image.h"
#include "lyrics/service/lyr_compiler.h"
#include "lyrics/service/mpr_assembly.h"

namespace norva::lyr::app {
namespace {

std::filesystem::path toPath(const QString& path) {
  return std::filesystem::path(path.toStdString());
}

// The assembly's messages, held while it runs on its own thread and shown afterwards on the
// dialog's: each of them only tells.
class HeldMessages : public Prompter {
 public:
  Answer show(const Message& message) override {
    held_.push_back(message);
    return message.buttons == MessageButtons::Ok ? Answer::Ok : Answer::Cancel;
  }
  void showOn(Prompter& prompter) const {
    for (const Message& message : held_) prompter.show(message);
  }

 private:
  std::vector<Message> held_;
};

// Reading, checking and writing some megabytes takes long enough to freeze the window: the
// assembly runs on a thread of its own while the dialog keeps handling its events.
MprOutcome assembleAside(Prompter& prompter, const LyrImage& image,
                         const std::filesystem::path& mp3, const std::filesystem::path& output) {
  HeldMessages held;
  MprOutcome outcome;
  const std::unique_ptr<QThread> worker(
      QThread::create([&] { outcome = assembleMpr(held, image, mp3, output); }));
  QEventLoop loop;
  QObject::connect(worker.get(), &QThread::finished, &loop, &QEventLoop::quit);
  worker->start();
  loop.exec();
  worker->wait();
  held.showOn(prompter);
  return outcome;
}

}  // namespace

const char* toString(MprToolResult result) {
  switch (result) {
    case MprToolResult::Done:
      return "done";
    case MprToolResult::NoPaths:
      return "a path is empty";
    case MprToolResult::OutputIsMp3:
      return "the MPR file would replace the MP3";
    case MprToolResult::Cancelled:
      return "cancelled";
    case MprToolResult::Failed:
      return "failed";
  }
  return "?";
}

MprConvertDialog::MprConvertDialog(Prompter& prompter, desktop::FileDialogs& dialogs,
                                   QWidget* parent)
    : QDialog(parent), prompter_(prompter), dialogs_(dialogs) {
  setWindowTitle(qt(text::kMprToolCaption));
  mp3Path_ = new QLineEdit(this);
  lyricPath_ = new QLineEdit(this);
  auto* browseMp3Button = new QPushButton(qt(text::kMprToolMp3Button), this);
  auto* browseLyricButton = new QPushButton(qt(text::kMprToolLyricButton), this);
  convert_ = new QPushButton(qt(text::kMprToolConvert), this);
  convert_->setDefault(true);
  quit_ = new QPushButton(qt(text::kQuitButton), this);

  auto* grid = new QGridLayout(this);
  grid->addWidget(mp3Path_, 0, 0);
  grid->addWidget(browseMp3Button, 0, 1);
  grid->addWidget(lyricPath_, 1, 0);
  grid->addWidget(browseLyricButton, 1, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(convert_);
  buttons->addWidget(quit_);
  grid->addLayout(buttons, 2, 0, 1, 2);
  mp3Path_->setMinimumWidth(320);

  connect(browseMp3Button, &QPushButton::clicked, this, &MprConvertDialog::browseMp3);
  connect(browseLyricButton, &QPushButton::clicked, this, &MprConvertDialog::browseLyric);
  connect(convert_, &QPushButton::clicked, this, [this] { convert(); });
  connect(quit_, &QPushButton::clicked, this, &MprConvertDialog::reject);
}

MprToolResult MprConvertDialog::convert() {
  if (converting_) return MprToolResult::Failed;  // a second click from a message box's loop
  converting_ = true;
  quit_->setEnabled(false);
  const MprToolResult result = runConversion();
  quit_->setEnabled(true);
  converting_ = false;
  return result;
}

MprToolResult MprConvertDialog::runConversion() {
  const QString mp3Text = mp3Path_->text();
  const QString lyricText = lyricPath_->text();
  if (mp3Text.isEmpty() || lyricText.isEmpty()) {
    tell(prompter_, text::kMprToolChoosePaths, text::kMprToolCaption);
    return MprToolResult::NoPaths;
  }
  const std::filesystem::path mp3 = toPath(mp3Text);
  const std::filesystem::path lyric = toPath(lyricText);
  // The MPR file lands next to the MP3. An MP3 whose name already ends in "MPR" would be
  // truncated by its own output before it is read: refused as an output that cannot be made.
  const std::filesystem::path output = defaultMprPath(mp3);
  if (output == mp3 || isSameFile(mp3, output)) {
    showCompileError(prompter_, CompileError::CreateFailed);
    return MprToolResult::OutputIsMp3;
  }
  // Only LRC is compiled here; every other lyric, timed text included, is read as LYR.
  const LyricKind kind = lyricKindOf(lyric) == LyricKind::Lrc ? LyricKind::Lrc : LyricKind::Lyr;
  MprOutcome outcome;
  outcome.output = output;
  if (const std::optional<LyrImage> image = relayedLyricImage(prompter_, lyric, kind, {}, outcome))
    outcome = assembleAside(prompter_, *image, mp3, output);
  switch (outcome.result) {
    case MprResult::Done:
      tell(prompter_, text::kMprToolDone, text::kMprToolCaption);
      return MprToolResult::Done;
    case MprResult::Cancelled:
      tell(prompter_, text::kMprToolCancelled, text::kMprToolCaption);
      return MprToolResult::Cancelled;
    case MprResult::Mp3Missing:
    case MprResult::NotMp3:
    case MprResult::CompileFailed:
    case MprResult::CreateFailed:
    case MprResult::NotLyr:
      break;  // told where it happened
  }
  return MprToolResult::Failed;
}

void MprConvertDialog::browseMp3() {
  browse(*mp3Path_, text::kMprToolMp3Filter);
}

void MprConvertDialog::browseLyric() {
  browse(*lyricPath_, text::kMprToolLyricFilters);
}

void MprConvertDialog::browse(QLineEdit& field, std::string_view filters) {
  desktop::FileDialogSetup setup;
  setup.filter = qtFilters(filters);
  const std::optional<QString> chosen = dialogs_.chooseOpen(setup, folder_.start());
  if (!chosen) return;
  folder_.remember(*chosen);
  field.setText(*chosen);
}

void MprConvertDialog::closeEvent(QCloseEvent* event) {
  if (converting_) {
    event->ignore();
    return;
  }
  QDialog::closeEvent(event);
}

void MprConvertDialog::reject() {
  if (!converting_) QDialog::reject();
}

}  // namespace norva::lyr::app
