#pragma once
// "WAV->MP3" (CWavToMp3Dlg): a list of WAV files encoded into MP3 files in one output folder.
// Start checks the folder, disables the buttons and sets the running flag on the window's
// thread, and only then hands the list to one worker thread; the worker's reports come back to
// the window's thread, which fills the output list and, at the end, shows the closing message.
// Every message box is shown from the window's thread. While a run goes on, a second start is
// refused and closing the window is refused with "请先取消转化". "取消" stops the encoder; the
// file being encoded is not written.
//
// The encoder, the prompter and the file pickers are the caller's, so tests can stand in for
// them.
#include <QDialog>
#include <thread>

#include "audio/mp3_encoder.h"
#include "audio/service/wav_to_mp3_run.h"
#include "audio/wav_to_mp3_rules.h"
#include "base/prompter.h"
#include "lyrics/app/list_choosers.h"
#include "lyrics/file_entry_list.h"

class QComboBox;
class QLabel;
class QPushButton;
class QTimer;
class QTreeWidget;

namespace norva::audio::app {

class WavToMp3Dialog : public QDialog {
  Q_OBJECT
 public:
  WavToMp3Dialog(Prompter& prompter, lyr::app::ListChoosers& choosers, Mp3Encoder& encoder,
                 QWidget* parent = nullptr);
  // A run still going is cancelled and waited for.
  ~WavToMp3Dialog() override;

  // "添加 ...": the chosen files that exist, each once.
  void addFiles();
  // "删除": the selected input rows.
  void deleteSelected();
  // "清空" of the input list.
  void clearInputs();
  // "浏览 ...": the output folder.
  void browseOutputFolder();
  // "清空" of the output list.
  void clearOutputs();
  // "开始转换": true when a worker was started. Nothing happens without inputs or during a
  // run; a bad output folder is refused with a message.
  bool start();
  // "取消".
  void cancel() { run_.cancel(); }
  // One tick of the half-second progress timer: the current file's name and the dots.
  void showProgress();
  // Escape and "close" refuse while a run goes on.
  void reject() override;

  bool running() const { return run_.running(); }
  const lyr::FileEntryList& inputs() const { return inputs_; }
  const lyr::FileEntryList& outputs() const { return outputs_; }
  QTreeWidget* inputTable() const { return inputTable_; }
  QTreeWidget* outputTable() const { return outputTable_; }
  QComboBox* outputFolder() const { return outputFolder_; }
  QLabel* progressText() const { return progressText_; }
  QTimer* progressTimer() const { return timer_; }
  QPushButton* addButton() const { return add_; }
  QPushButton* deleteButton() const { return delete_; }
  QPushButton* clearInputsButton() const { return clearInputs_; }
  QPushButton* startButton() const { return start_; }
  QPushButton* cancelButton() const { return cancel_; }
  QPushButton* browseButton() const { return browse_; }
  QPushButton* clearOutputsButton() const { return clearOutputs_; }

 signals:
  // After the closing message of a run.
  void runFinished(norva::lyr::BatchRunResult result);

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void fileDone(const lyr::BatchFileReport& report);
  void finishRun(lyr::BatchRunResult result);
  void setRunning(bool running);

  Prompter& prompter_;
  lyr::app::ListChoosers& choosers_;
  WavToMp3Run run_;
  std::thread worker_;
  lyr::FileEntryList inputs_;
  lyr::FileEntryList outputs_;
  ProgressDots dots_;
  QTreeWidget* inputTable_ = nullptr;
  QTreeWidget* outputTable_ = nullptr;
  QComboBox* outputFolder_ = nullptr;
  QLabel* progressText_ = nullptr;
  QTimer* timer_ = nullptr;
  QPushButton* add_ = nullptr;
  QPushButton* delete_ = nullptr;
  QPushButton* clearInputs_ = nullptr;
  QPushButton* start_ = nullptr;
  QPushButton* cancel_ = nullptr;
  QPushButton* browse_ = nullptr;
  QPushButton* clearOutputs_ = nullptr;
};

}  // namespace norva::audio::app
