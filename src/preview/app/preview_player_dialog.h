#pragma once
// PreviewPlayerDialog: the modal window that plays one MP3 or MPR file with its lyric shown in
// the status bar. Widgets only; what they do is PreviewPlayerController's.
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QSlider>

#include "base/prompter.h"
#include "preview/app/info_panel.h"
#include "preview/app/preview_player_controller.h"
#include "preview/app/preview_status_bar.h"

namespace norva::preview {

class PreviewPlayerDialog : public QDialog {
  Q_OBJECT
 public:
  // Opens the window for `path`; as it opens, it starts playing.
  PreviewPlayerDialog(const QString& path, bool isMp3, PreviewEnvironment env,
                      QWidget* parent = nullptr);
  ~PreviewPlayerDialog() override;

  // Stops playing before the window closes, whichever way it is closed.
  void done(int result) override;

  PreviewPlayerController& controller() { return *controller_; }
  InfoPanel& infoPanel() { return *info_; }
  QSlider& volumeSlider() { return *volume_; }
  QSlider& positionSlider() { return *position_; }
  QPushButton& button(PreviewCommand command);
  PreviewStatusBar& statusBar() { return *status_; }

 private:
  void buildControls();
  void connectControls();

  std::unique_ptr<PreviewPlayerController> controller_;
  InfoPanel* info_ = nullptr;
  QSlider* volume_ = nullptr;
  QSlider* position_ = nullptr;
  QPushButton* play_ = nullptr;
  QPushButton* pause_ = nullptr;
  QPushButton* stop_ = nullptr;
  QPushButton* close_ = nullptr;
  PreviewStatusBar* status_ = nullptr;
};

// The desktop's sound device (falling back to the null device, said once through `prompter`)
// and real timers.
PreviewEnvironment systemPreviewEnvironment(Prompter& prompter);

// Shows the preview window for a file of the PC side and returns when it has closed.
// `isMp3`: the name ends in ".MP3" (otherwise ".MPR").
void showPreviewPlayer(QWidget* parent, const QString& path, bool isMp3, PreviewEnvironment env);

}  // namespace norva::preview
