#pragma once
// CVerifySyncDlg: plays an audio file and shows, in step with it, the screens the player would
// show for a SAMI file (its timetable: 7 lines of at most 16 bytes, one entry a second at most,
// a blank screen before a late first entry). The paths come only from the two browse buttons
// and the audio path handed over; "播放" reads the SAMI file, builds the timetable and plays
// the audio from its start; a 100 ms timer shows the entries and reports a player error or a
// missing sound card once per press.
#include <QDialog>
#include <filesystem>
#include <memory>
#include <vector>

#include "audio/media_playback.h"
#include "base/prompter.h"
#include "editor/service/file_chooser.h"
#include "editor/verify_sync.h"
#include "preview/app/tick_source.h"

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace norva::editor {

struct VerifySyncEnvironment {
  Prompter* prompter = nullptr;
  FileChooser* chooser = nullptr;
  std::unique_ptr<audio::MediaPlayback> player;  // the dialog's own player
  preview::TickSourceFactory makeTicks;          // none: Qt timers
};

class CVerifySyncDlg : public QDialog {
  Q_OBJECT
 public:
  static constexpr std::chrono::milliseconds kTimerInterval{100};

  CVerifySyncDlg(const std::filesystem::path& audioPath, VerifySyncEnvironment env,
                 QWidget* parent = nullptr);
  ~CVerifySyncDlg() override;

  void browseAudio();
  void browseSami();
  void play();
  // One step of the 100 ms timer.
  void tick();

  const std::filesystem::path& audioPath() const { return audioPath_; }
  const std::filesystem::path& samiPath() const { return samiPath_; }
  // What the screen box holds (GBK text shown as UTF-8, CR LF between lines).
  const QString& screenText() const { return screenText_; }
  const VerifySync& verify() const { return verify_; }
  audio::MediaPlayback& player() { return *env_.player; }

  QPushButton* playButton() const { return playButton_; }
  QPushButton* audioButton() const { return audioButton_; }
  QPushButton* samiButton() const { return samiButton_; }
  QLineEdit* audioBox() const { return audioBox_; }
  QLineEdit* samiBox() const { return samiBox_; }
  QPlainTextEdit* screenBox() const { return screenBox_; }

  void done(int result) override;

 private:
  // One browse button: the open dialog with `filters`; on OK the path and its box.
  void choose(std::vector<FileFilter> filters, std::filesystem::path& path, QLineEdit& box);

  VerifySyncEnvironment env_;
  std::unique_ptr<preview::TickSource> timer_;
  VerifySync verify_;
  std::filesystem::path audioPath_;
  std::filesystem::path samiPath_;
  QString screenText_;
  QLabel* timeLabel_ = nullptr;
  QPushButton* audioButton_ = nullptr;
  QPushButton* samiButton_ = nullptr;
  QPushButton* playButton_ = nullptr;
  QLineEdit* audioBox_ = nullptr;
  QLineEdit* samiBox_ = nullptr;
  QPlainTextEdit* screenBox_ = nullptr;
};

}  // namespace norva::editor
