#include "lyrics/app/batch_list_dialog.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTreeWidget>

#include "lyrics/app/file_entry_table.h"
#include "lyrics/lyrics_messages.h"

namespace norva::lyr::app {
namespace {

// Rows the run passed over without any message box.
bool needsNote(BatchFileStatus status) {
  return status == BatchFileStatus::SameOutputName || status == BatchFileStatus::OutputIsInput ||
         status == BatchFileStatus::NameTooShort;
}

}  // namespace

BatchListDialog::BatchListDialog(Prompter& prompter, ListChoosers& choosers, Setup setup,
                                 QWidget* parent)
    : QDialog(parent), prompter_(prompter), choosers_(choosers), setup_(std::move(setup)) {
  inputTable_ = makeFileEntryTable(this);
  outputTable_ = makeFileEntryTable(this);
  progress_ = new QProgressBar(this);
  progress_->setRange(0, 1);
  progress_->setValue(0);
  notes_ = new QLabel(this);
  notes_->setWordWrap(true);
  notes_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  add_ = new QPushButton(qt(text::kAddButton), this);
  delete_ = new QPushButton(qt(text::kDeleteButton), this);
  clear_ = new QPushButton(qt(setup_.clearText), this);
  start_ = new QPushButton(qt(text::kStartButton), this);
  quit_ = new QPushButton(qt(text::kQuitButton), this);
  connect(add_, &QPushButton::clicked, this, &BatchListDialog::addFiles);
  connect(delete_, &QPushButton::clicked, this, &BatchListDialog::deleteSelected);
  connect(clear_, &QPushButton::clicked, this, &BatchListDialog::clearInputs);
  connect(start_, &QPushButton::clicked, this, [this] { start(); });
  connect(quit_, &QPushButton::clicked, this, &BatchListDialog::reject);
}

void BatchListDialog::addFiles() {
  if (busy()) return;  // the run walks the input list
  addChosenFiles(choosers_, setup_.addFilter, inputs_, *inputTable_);
}

void BatchListDialog::deleteSelected() {
  if (busy()) return;
  const std::vector<size_t> rows = selectedRows(*inputTable_);
  inputs_.remove(rows);
  showFileEntries(*inputTable_, inputs_);
}

void BatchListDialog::clearInputs() {
  if (busy()) return;
  inputs_.clear();
  showFileEntries(*inputTable_, inputs_);
}

void BatchListDialog::clearOutputs() {
  // Between two files of a run too: the run adds the files it writes after this.
  outputs_.clear();
  showFileEntries(*outputTable_, outputs_);
}

void BatchListDialog::layOut(std::string_view inputsLabel, std::string_view outputsLabel,
                             QLayout* besideListButtons, QLayout* middle, QPushButton* stop) {
  auto* grid = new QGridLayout(this);
  grid->addWidget(new QLabel(qt(inputsLabel), this), 0, 0);
  grid->addWidget(new QLabel(qt(outputsLabel), this), 0, 1);
  grid->addWidget(inputTable_, 1, 0);
  grid->addWidget(outputTable_, 1, 1);
  auto* listButtons = new QHBoxLayout;
  listButtons->addWidget(add_);
  listButtons->addWidget(delete_);
  listButtons->addWidget(clear_);
  grid->addLayout(listButtons, 2, 0);
  grid->addLayout(besideListButtons, 2, 1);
  int row = 3;
  if (middle != nullptr) grid->addLayout(middle, row++, 0, 1, 2);
  grid->addWidget(progress_, row++, 0, 1, 2);
  grid->addWidget(notes_, row++, 0, 1, 2);
  auto* runButtons = new QHBoxLayout;
  runButtons->addStretch();
  runButtons->addWidget(start_);
  if (stop != nullptr) runButtons->addWidget(stop);
  runButtons->addWidget(quit_);
  grid->addLayout(runButtons, row, 0, 1, 2);
}

QComboBox* BatchListDialog::makeFolderCombo() {
  auto* combo = new QComboBox(this);
  combo->setEditable(true);
  return combo;
}

void BatchListDialog::browseFolder(QComboBox& combo) {
  chooseFolderInto(choosers_, combo);
}

BatchRun BatchListDialog::runBatch(bool converts, const Runner& run) {
  if (busy()) return {};
  if (converts) {
    progress_->setRange(0, static_cast<int>(inputs_.size()));
    progress_->setValue(0);
    notes_->clear();
    setRunning(true);
  }
  const BatchRun result = run([this](const BatchFileReport& report) {
    progress_->setValue(progress_->value() + 1);
    if (needsNote(report.status)) {
      QString note = QString::fromStdString(report.input.path()) + QStringLiteral(": ") +
                     QString::fromUtf8(toString(report.status));
      notes_->setText(notes_->text().isEmpty() ? note : notes_->text() + u'\n' + note);
    }
    showFileEntries(*outputTable_, outputs_);
    emit fileDone(report);
    QCoreApplication::processEvents();  // the window and the stop request between files
  });
  if (converts) setRunning(false);
  showFileEntries(*outputTable_, outputs_);
  return result;
}

void BatchListDialog::reject() {
  // Closing by the close box comes here too (QDialog::closeEvent rejects).
  if (busy()) {
    if (setup_.busyMessage) prompter_.show(*setup_.busyMessage);
    return;
  }
  QDialog::reject();
}

}  // namespace norva::lyr::app
