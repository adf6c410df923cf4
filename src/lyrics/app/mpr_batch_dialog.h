#pragma once
// "MPR转换工具" (`CMprBatchDlg`): MP3 files merged with the lyric file of the same base name and
// the chosen kind (TLY, LYR or LRC; none is chosen when the dialog opens) from a lyric folder
// into MPR files in an output folder. The output list is emptied when a run starts. During a
// run add, delete, "清空", both browse buttons and start are disabled and "停止转化(&E)" is
// enabled; "退出(&Q)" stays enabled but closing is refused with "请先取消转换!". See
// BatchListDialog for how a run shares the window.
#include <optional>

#include "lyrics/app/batch_list_dialog.h"
#include "lyrics/mpr_image.h"

class QPushButton;
class QRadioButton;

namespace norva::lyr::app {

class MprBatchDialog : public BatchListDialog {
  Q_OBJECT
 public:
  MprBatchDialog(Prompter& prompter, ListChoosers& choosers, QWidget* parent = nullptr);

  // The two "浏览..." buttons.
  void browseLyricFolder();
  void browseOutputFolder();
  BatchRun start() override;
  // "清除(&C)": the output list.
  void clearOutputList() { clearOutputs(); }
  // The radio button chosen, if any.
  std::optional<LyricKind> lyricKind() const;

  QComboBox* lyricFolder() const { return lyricFolder_; }
  QComboBox* outputFolder() const { return outputFolder_; }
  QRadioButton* kindButton(LyricKind kind) const;
  QPushButton* browseLyricButton() const { return browseLyric_; }
  QPushButton* browseOutputButton() const { return browseOutput_; }
  QPushButton* stopButton() const { return stop_; }
  QPushButton* clearOutputButton() const { return clearOutput_; }

 private:
  void setRunning(bool running) override;

  QComboBox* lyricFolder_ = nullptr;
  QComboBox* outputFolder_ = nullptr;
  QRadioButton* tly_ = nullptr;
  QRadioButton* lyr_ = nullptr;
  QRadioButton* lrc_ = nullptr;
  QPushButton* browseLyric_ = nullptr;
  QPushButton* browseOutput_ = nullptr;
  QPushButton* stop_ = nullptr;
  QPushButton* clearOutput_ = nullptr;
};

}  // namespace norva::lyr::app
