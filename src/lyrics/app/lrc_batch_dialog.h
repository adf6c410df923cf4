#pragma once
// "LRC-->LYR" (`CLrcBatchDlg`): LRC files compiled into LYR files in an output folder. The
// output list keeps everything written since the dialog opened, sorted by name. During a run
// add, delete, clear, start and "退出(&Q)" are disabled and closing is refused with
// "请先取消转化"; see BatchListDialog for how a run shares the window.
#include "lyrics/app/batch_list_dialog.h"

class QPushButton;

namespace norva::lyr::app {

class LrcBatchDialog : public BatchListDialog {
  Q_OBJECT
 public:
  LrcBatchDialog(Prompter& prompter, ListChoosers& choosers, QWidget* parent = nullptr);

  // "浏览...": the output folder.
  void browseOutputFolder();
  BatchRun start() override;

  QComboBox* outputFolder() const { return outputFolder_; }
  QPushButton* browseButton() const { return browse_; }

 private:
  void setRunning(bool running) override;

  QComboBox* outputFolder_ = nullptr;
  QPushButton* browse_ = nullptr;
};

}  // namespace norva::lyr::app
