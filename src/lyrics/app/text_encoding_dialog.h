#pragma once
// "TEXT文件转换": a list of ANSI text files converted for the player into an output folder under
// their own names. A run takes the files one by one on the dialog's thread (a file's messages
// are asked there); between two files the window handles its events, so the progress bar moves
// and "停止转化(&E)" is heard, and the run stops before the next file. Closing is refused while
// a run goes on.
#include <QDialog>

#include "base/prompter.h"
#include "lyrics/app/list_choosers.h"
#include "lyrics/file_entry_list.h"
#include "lyrics/service/batch_run.h"

class QComboBox;
class QProgressBar;
class QPushButton;
class QTreeWidget;

namespace norva::lyr::app {

class TextEncodingDialog : public QDialog {
  Q_OBJECT
 public:
  TextEncodingDialog(Prompter& prompter, ListChoosers& choosers, QWidget* parent = nullptr);

  // "添加(&A)": the chosen files that exist, each once.
  void addFiles();
  // "删除(&D)": the selected rows of the input list.
  void deleteSelected();
  // "清空(&C)".
  void clearInputs();
  // "浏览...": the output folder.
  void browseOutputFolder();
  // "开始转化(&S)".
  BatchRun start();
  // "停止转化(&E)": the run ends before its next file.
  void requestStop() { control_.requestStop(); }

  const FileEntryList& inputs() const { return inputs_; }
  const FileEntryList& outputs() const { return outputs_; }
  QTreeWidget* inputTable() const { return inputTable_; }
  QTreeWidget* outputTable() const { return outputTable_; }
  QComboBox* outputFolder() const { return outputFolder_; }
  QProgressBar* progress() const { return progress_; }
  QPushButton* addButton() const { return add_; }
  QPushButton* deleteButton() const { return delete_; }
  QPushButton* clearButton() const { return clear_; }
  QPushButton* browseButton() const { return browse_; }
  QPushButton* startButton() const { return start_; }
  QPushButton* stopButton() const { return stop_; }
  QPushButton* quitButton() const { return quit_; }
  bool busy() const { return control_.busy(); }

 signals:
  // Each file of a run once it is taken, while the run goes on.
  void fileDone(const norva::lyr::BatchFileReport& report);

 protected:
  void closeEvent(QCloseEvent* event) override;
  void reject() override;

 private:
  void setRunning(bool running);

  Prompter& prompter_;
  ListChoosers& choosers_;
  BatchControl control_;
  FileEntryList inputs_;
  FileEntryList outputs_;
  QTreeWidget* inputTable_ = nullptr;
  QTreeWidget* outputTable_ = nullptr;
  QComboBox* outputFolder_ = nullptr;
  QProgressBar* progress_ = nullptr;
  QPushButton* add_ = nullptr;
  QPushButton* delete_ = nullptr;
  QPushButton* clear_ = nullptr;
  QPushButton* browse_ = nullptr;
  QPushButton* start_ = nullptr;
  QPushButton* stop_ = nullptr;
  QPushButton* quit_ = nullptr;
};

}  // namespace norva::lyr::app
