#include "audio/app/wav_to_mp3_dialog.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>

#include "audio/audio_messages.h"
#include "lyrics/app/file_entry_table.h"

namespace norva::audio::app {
namespace {

using lyr::app::qt;

constexpr int kProgressTickMs = 500;

}  // namespace

WavToMp3Dialog::WavToMp3Dialog(Prompter& prompter, lyr::app::ListChoosers& choosers,
                               Mp3Encoder& encoder, QWidget* parent)
    : QDialog(parent), prompter_(prompter), choosers_(choosers), run_(encoder) {
  setWindowTitle(qt(text::kWavToMp3Title));
  inputTable_ = lyr::app::makeFileEntryTable(this);
  outputTable_ = lyr::app::makeFileEntryTable(this);
  outputFolder_ = new QComboBox(this);
  outputFolder_->setEditable(true);
  outputFolder_->setEditText(QDir::currentPath());  // the folder the program started in
  progressText_ = new QLabel(this);
  timer_ = new QTimer(this);
  timer_->setInterval(kProgressTickMs);
  add_ = new QPushButton(qt(text::kAddWav), this);
  delete_ = new QPushButton(qt(text::kDeleteWav), this);
  clearInputs_ = new QPushButton(qt(text::kClearList), this);
  start_ = new QPushButton(qt(text::kStartConversion), this);
  cancel_ = new QPushButton(qt(text::kCancelConversion), this);
  cancel_->setEnabled(false);
  browse_ = new QPushButton(qt(text::kBrowseFolder), this);
  clearOutputs_ = new QPushButton(qt(text::kClearList), this);

  auto* grid = new QGridLayout(this);
  grid->addWidget(new QLabel(qt(text::kWavInputs), this), 0, 0);
  grid->addWidget(new QLabel(qt(text::kMp3Outputs), this), 0, 1);
  grid->addWidget(inputTable_, 1, 0);
  grid->addWidget(outputTable_, 1, 1);
  auto* inputButtons = new QHBoxLayout;
  inputButtons->addWidget(add_);
  inputButtons->addWidget(delete_);
  inputButtons->addWidget(clearInputs_);
  grid->addLayout(inputButtons, 2, 0);
  auto* outputButtons = new QHBoxLayout;
  outputButtons->addStretch();
  outputButtons->addWidget(clearOutputs_);
  grid->addLayout(outputButtons, 2, 1);
  auto* folderRow = new QHBoxLayout;
  folderRow->addWidget(new QLabel(qt(text::kOutputFolderLabel), this));
  folderRow->addWidget(outputFolder_, 1);
  folderRow->addWidget(browse_);
  grid->addLayout(folderRow, 3, 0, 1, 2);
  auto* progressRow = new QHBoxLayout;
  progressRow->addWidget(new QLabel(qt(text::kConvertingLabel), this));
  progressRow->addWidget(progressText_, 1);
  progressRow->addWidget(start_);
  progressRow->addWidget(cancel_);
  grid->addLayout(progressRow, 4, 0, 1, 2);

  connect(add_, &QPushButton::clicked, this, &WavToMp3Dialog::addFiles);
  connect(delete_, &QPushButton::clicked, this, &WavToMp3Dialog::deleteSelected);
  connect(clearInputs_, &QPushButton::clicked, this, &WavToMp3Dialog::clearInputs);
  connect(start_, &QPushButton::clicked, this, [this] { start(); });
  connect(cancel_, &QPushButton::clicked, this, &WavToMp3Dialog::cancel);
  connect(browse_, &QPushButton::clicked, this, &WavToMp3Dialog::browseOutputFolder);
  connect(clearOutputs_, &QPushButton::clicked, this, &WavToMp3Dialog::clearOutputs);
  connect(timer_, &QTimer::timeout, this, &WavToMp3Dialog::showProgress);
}

WavToMp3Dialog::~WavToMp3Dialog() {
  if (worker_.joinable()) {
    run_.cancel();
    worker_.join();
  }
}

void WavToMp3Dialog::addFiles() {
  lyr::app::addChosenFiles(choosers_, text::kWavFilter, inputs_, *inputTable_);
}

void WavToMp3Dialog::deleteSelected() {
  inputs_.remove(lyr::app::selectedRows(*inputTable_));
  lyr::app::showFileEntries(*inputTable_, inputs_);
}

void WavToMp3Dialog::clearInputs() {
  inputs_.clear();
  lyr::app::showFileEntries(*inputTable_, inputs_);
}

void WavToMp3Dialog::browseOutputFolder() {
  lyr::app::chooseFolderInto(choosers_, *outputFolder_);
}

void WavToMp3Dialog::clearOutputs() {
  outputs_.clear();
  lyr::app::showFileEntries(*outputTable_, outputs_);
}

bool WavToMp3Dialog::start() {
  if (running() || inputs_.empty()) return false;
  const std::string folder = outputFolder_->currentText().toStdString();
  if (checkOutputFolder(folder) != OutputFolderCheck::Usable) {
    prompter_.show(outputFolderRefusedMessage());
    return false;
  }
  if (!run_.begin()) return false;
  // Everything the window shows of the run is set before the worker exists.
  if (worker_.joinable()) worker_.join();  // the previous run's, already finished
  progressText_->clear();
  dots_.reset();
  outputs_.clear();
  lyr::app::showFileEntries(*outputTable_, outputs_);
  setRunning(true);
  timer_->start();
  worker_ = std::thread([this, inputs = inputs_, folder] {
    const lyr::BatchRun result = run_.convert(inputs, folder, [this](const auto& report) {
      QMetaObject::invokeMethod(
          this, [this, report] { fileDone(report); }, Qt::QueuedConnection);
    });
    QMetaObject::invokeMethod(
        this, [this, outcome = result.result] { finishRun(outcome); }, Qt::QueuedConnection);
  });
  return true;
}

void WavToMp3Dialog::showProgress() {
  const size_t row = run_.currentRow();
  if (row < inputs_.size()) progressText_->setText(qt(dots_.text(inputs_.entries()[row].name)));
  dots_.advance();
}

void WavToMp3Dialog::fileDone(const lyr::BatchFileReport& report) {
  if (report.status != lyr::BatchFileStatus::Written) return;
  if (std::optional<lyr::FileEntry> written = lyr::fileEntryOnDisk(report.output)) {
    outputs_.add(std::move(*written));
    lyr::app::showFileEntries(*outputTable_, outputs_);
  }
}

void WavToMp3Dialog::finishRun(lyr::BatchRunResult result) {
  worker_.join();
  outputs_.sortByName();
  lyr::app::showFileEntries(*outputTable_, outputs_);
  setRunning(false);
  timer_->stop();
  run_.end();
  prompter_.show(conversionEndMessage(result));
  emit runFinished(result);
}

void WavToMp3Dialog::setRunning(bool running) {
  for (QPushButton* button : {add_, delete_, clearInputs_, start_, clearOutputs_})
    button->setEnabled(!running);
  cancel_->setEnabled(running);
}

void WavToMp3Dialog::closeEvent(QCloseEvent* event) {
  if (running()) {
    prompter_.show(cancelFirstMessage());
    event->ignore();
    return;
  }
  QDialog::closeEvent(event);
}

void WavToMp3Dialog::reject() {
  if (running()) {
    prompter_.show(cancelFirstMessage());
    return;
  }
  QDialog::reject();
}

}  // namespace norva::audio::app
