#pragma once
// What the batch dialogs (LRC, MPR, text encoding) share: the input list with "添加(&A)",
// "删除(&D)" and its clear button, the output list, the folder pickers, the progress bar,
// "开始转化(&S)", "退出(&Q)" and the run itself. A run takes the files
// one by one on the dialog's thread, so the converters' questions and error boxes are asked
// there; between two files the window handles its events, so the progress bar moves and a stop
// request is heard before the next file. While a run goes on, closing the dialog (its close
// box, Escape or "退出(&Q)") is refused, with the dialog's own message where it has one. A file
// passed over for a reason no message box told (another input of the same name, an output that
// would replace its input, a name too short) gets a line in the notes under the progress bar.
#include <QDialog>
#include <functional>
#include <optional>
#include <string_view>

#include "base/prompter.h"
#include "lyrics/app/list_choosers.h"
#include "lyrics/file_entry_list.h"
#include "lyrics/service/batch_run.h"

class QComboBox;
class QLabel;
class QLayout;
class QProgressBar;
class QPushButton;
class QTreeWidget;

namespace norva::lyr::app {

class BatchListDialog : public QDialog {
  Q_OBJECT
 public:
  // "添加(&A)": the chosen files that exist, each once. Nothing while a run goes on.
  void addFiles();
  // "删除(&D)": the selected rows of the input list.
  void deleteSelected();
  // Clears the input list.
  void clearInputs();
  // Closes the dialog, or during a run shows why it stays.
  void reject() override;
  // The stop request; the run ends before its next file.
  void requestStop() { control_.requestStop(); }
  // "开始转化(&S)".
  virtual BatchRun start() = 0;

  const FileEntryList& inputs() const { return inputs_; }
  const FileEntryList& outputs() const { return outputs_; }
  QTreeWidget* inputTable() const { return inputTable_; }
  QTreeWidget* outputTable() const { return outputTable_; }
  QProgressBar* progress() const { return progress_; }
  QLabel* notes() const { return notes_; }
  QPushButton* addButton() const { return add_; }
  QPushButton* deleteButton() const { return delete_; }
  QPushButton* clearButton() const { return clear_; }
  QPushButton* startButton() const { return start_; }
  QPushButton* quitButton() const { return quit_; }
  bool busy() const { return control_.busy(); }

 signals:
  // Each file of a run once it is taken, while the run goes on.
  void fileDone(const norva::lyr::BatchFileReport& report);

 protected:
  struct Setup {
    std::string_view addFilter;          // in the form of qtFilters
    std::string_view clearText;          // the input list's clear button
    std::optional<Message> busyMessage;  // why closing is refused during a run; none: silently
  };
  BatchListDialog(Prompter& prompter, ListChoosers& choosers, Setup setup, QWidget* parent);

  // Lays the dialog out: the two lists under their labels, the list buttons below the input
  // list and `besideListButtons` below the output list, then `middle` (may be none) across, the
  // progress bar, the notes, and the run buttons: start, `stop` (may be none) and quit.
  void layOut(std::string_view inputsLabel, std::string_view outputsLabel,
              QLayout* besideListButtons, QLayout* middle, QPushButton* stop);
  // An editable combo box for a folder.
  QComboBox* makeFolderCombo();
  // The folder picker into `combo`: a link stands for its target, the text ends in '/'.
  void browseFolder(QComboBox& combo);
  // Clears the output list.
  void clearOutputs();

  using Runner = std::function<BatchRun(const BatchFileObserver&)>;
  // Runs `run`, which converts the input list into the output list. `converts` says whether it
  // will take any file (otherwise it only refuses with its message): then the controls are set
  // for a run and the progress bar counts the files.
  BatchRun runBatch(bool converts, const Runner& run);
  // The controls' enabling during a run (true) and outside one (false).
  virtual void setRunning(bool running) = 0;

  Prompter& prompter_;
  BatchControl control_;
  FileEntryList inputs_;
  FileEntryList outputs_;

 private:
  ListChoosers& choosers_;
  Setup setup_;
  QTreeWidget* inputTable_ = nullptr;
  QTreeWidget* outputTable_ = nullptr;
  QProgressBar* progress_ = nullptr;
  QLabel* notes_ = nullptr;
  QPushButton* add_ = nullptr;
  QPushButton* delete_ = nullptr;
  QPushButton* clear_ = nullptr;
  QPushButton* start_ = nullptr;
  QPushButton* quit_ = nullptr;
};

}  // namespace norva::lyr::app
