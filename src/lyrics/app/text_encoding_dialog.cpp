#include "lyrics/app/text_encoding_dialog.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "lyrics/app/file_entry_table.h"
#include "lyrics/lyrics_messages.h"
#include "lyrics/service/text_batch.h"

namespace norva::lyr::app {

TextEncodingDialog::TextEncodingDialog(Prompter& prompter, ListChoosers& choosers, QWidget* parent)
    : QDialog(parent), prompter_(prompter), choosers_(choosers) {
  setWindowTitle(qt(text::kTextDialogTitle));
  inputTable_ = makeFileEntryTable(this);
  outputTable_ = makeFileEntryTable(this);
  outputFolder_ = new QComboBox(this);
  outputFolder_->setEditable(true);
  progress_ = new QProgressBar(this);
  progress_->setRange(0, 1);
  progress_->setValue(0);
  add_ = new QPushButton(qt(text::kAddButton), this);
  delete_ = new QPushButton(qt(text::kDeleteButton), this);
  clear_ = new QPushButton(qt(text::kClearButton), this);
  browse_ = new QPushButton(qt(text::kBrowseButton), this);
  start_ = new QPushButton(qt(text::kStartButton), this);
  stop_ = new QPushButton(qt(text::kStopButton), this);
  stop_->setEnabled(false);
  quit_ = new QPushButton(qt(text::kQuitButton), this);

  auto* grid = new QGridLayout(this);
  grid->addWidget(new QLabel(qt(text::kTextDialogInputs), this), 0, 0);
  grid->addWidget(new QLabel(qt(text::kTextDialogOutputs), this), 0, 1);
  grid->addWidget(inputTable_, 1, 0);
  grid->addWidget(outputTable_, 1, 1);
  auto* listButtons = new QHBoxLayout;
  listButtons->addWidget(add_);
  listButtons->addWidget(delete_);
  listButtons->addWidget(clear_);
  grid->addLayout(listButtons, 2, 0);
  auto* folderRow = new QHBoxLayout;
  folderRow->addWidget(outputFolder_, 1);
  folderRow->addWidget(browse_);
  grid->addLayout(folderRow, 2, 1);
  grid->addWidget(progress_, 3, 0, 1, 2);
  auto* runButtons = new QHBoxLayout;
  runButtons->addStretch();
  runButtons->addWidget(start_);
  runButtons->addWidget(stop_);
  runButtons->addWidget(quit_);
  grid->addLayout(runButtons, 4, 0, 1, 2);

  connect(add_, &QPushButton::clicked, this, &TextEncodingDialog::addFiles);
  connect(delete_, &QPushButton::clicked, this, &TextEncodingDialog::deleteSelected);
  connect(clear_, &QPushButton::clicked, this, &TextEncodingDialog::clearInputs);
  connect(browse_, &QPushButton::clicked, this, &TextEncodingDialog::browseOutputFolder);
  connect(start_, &QPushButton::clicked, this, [this] { start(); });
  connect(stop_, &QPushButton::clicked, this, &TextEncodingDialog::requestStop);
  connect(quit_, &QPushButton::clicked, this, &TextEncodingDialog::reject);
}

void TextEncodingDialog::addFiles() {
  desktop::FileDialogSetup setup;
  setup.filter = qtFilters(text::kTextDialogFilter);
  for (const QString& path : choosers_.chooseFiles(setup)) {
    if (std::optional<FileEntry> entry = fileEntryOnDisk(path.toStdString()))
      inputs_.add(std::move(*entry));
  }
  showFileEntries(*inputTable_, inputs_);
}

void TextEncodingDialog::deleteSelected() {
  const std::vector<size_t> rows = selectedRows(*inputTable_);
  inputs_.remove(rows);
  showFileEntries(*inputTable_, inputs_);
}

void TextEncodingDialog::clearInputs() {
  inputs_.clear();
  showFileEntries(*inputTable_, inputs_);
}

void TextEncodingDialog::browseOutputFolder() {
  if (const std::optional<QString> folder = choosers_.chooseFolder(qt(text::kFolderPickerTitle)))
    outputFolder_->setEditText(chosenFolder(*folder));
}

BatchRun TextEncodingDialog::start() {
  if (busy()) return {};
  const std::string folder = outputFolder_->currentText().toStdString();
  const bool runs = !folder.empty() && !inputs_.empty();  // otherwise the run only refuses
  if (runs) {
    progress_->setRange(0, static_cast<int>(inputs_.size()));
    progress_->setValue(0);
    setRunning(true);
  }
  const BatchRun run = runTextBatch(
      prompter_, control_, inputs_, folder, outputs_, [this](const BatchFileReport& report) {
        progress_->setValue(progress_->value() + 1);
        showFileEntries(*outputTable_, outputs_);
        emit fileDone(report);
        QCoreApplication::processEvents();  // the stop button and the window between files
      });
  if (runs) setRunning(false);
  showFileEntries(*outputTable_, outputs_);
  return run;
}

void TextEncodingDialog::setRunning(bool running) {
  for (QPushButton* button : {add_, delete_, clear_, browse_, start_, quit_})
    button->setEnabled(!running);
  stop_->setEnabled(running);
}

void TextEncodingDialog::closeEvent(QCloseEvent* event) {
  if (busy()) {
    event->ignore();
    return;
  }
  QDialog::closeEvent(event);
}

void TextEncodingDialog::reject() {
  if (!busy()) QDialog::reject();
}

}  // namespace norva::lyr::app
