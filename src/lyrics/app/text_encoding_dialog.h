#pragma once
// "TEXT文件转换": a list of ANSI text files converted for the player into an output folder under
// their own names. During a run add, delete, clear, browse, start and "退出(&Q)" are disabled,
// "停止转化(&E)" is enabled, and closing is refused without a message; see BatchListDialog for
// how a run shares the window.
#include "lyrics/app/batch_list_dialog.h"

namespace norva::lyr::app {

class TextEncodingDialog : public BatchListDialog {
  Q_OBJECT
 public:
  TextEncodingDialog(Prompter& prompter, ListChoosers& choosers, QWidget* parent = nullptr);

  // "浏览...": the output folder.
  void browseOutputFolder();
  BatchRun start() override;

  QComboBox* outputFolder() const { return outputFolder_; }
  QPushButton* browseButton() const { return browse_; }
  QPushButton* stopButton() const { return stop_; }

 private:
  void setRunning(bool running) override;

  QComboBox* outputFolder_ = nullptr;
  QPushButton* browse_ = nullptr;
  QPushButton* stop_ = nullptr;
};

}  // namespace norva::lyr::app
