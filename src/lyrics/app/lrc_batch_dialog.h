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
  // "开始转化(&S)".
  BatchRun start();

  QComboBox* outputFolder() const { return outputFolder_; }
  QPushButton* addButton() const { return add_; }
  QPushButton* deleteButton() const { return delete_; }
  QPushButton* clearButton() const { return clear_; }
  QPushButton* browseButton() const { return browse_; }
  QPushButton* startButton() const { return start_; }
  QPushButton* quitButton() const { return quit_; }

 private:
  void setRunning(bool running) override;

  QComboBox* outputFolder_ = nullptr;
  QPushButton* add_ = nullptr;
  QPushButton* delete_ = nullptr;
  QPushButton* clear_ = nullptr;
  QPushButton* browse_ = nullptr;
  QPushButton* start_ = nullptr;
  QPushButton* quit_ = nullptr;
};

}  // namespace norva::lyr::app
