#include "lyrics/app/lrc_batch_dialog.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTreeWidget>

#include "lyrics/lyrics_messages.h"
#include "lyrics/service/lrc_batch.h"

namespace norva::lyr::app {

LrcBatchDialog::LrcBatchDialog(Prompter& prompter, ListChoosers& choosers, QWidget* parent)
    : BatchListDialog(prompter, choosers,
                      {text::kLrcBatchFilter, text::kClearButton, lrcBatchBusyMessage()}, parent) {
  setWindowTitle(qt(text::kLrcBatchTitle));
  outputFolder_ = new QComboBox(this);
  outputFolder_->setEditable(true);
  browse_ = new QPushButton(qt(text::kBrowseButton), this);

  auto* grid = new QGridLayout(this);
  grid->addWidget(new QLabel(qt(text::kLrcBatchInputs), this), 0, 0);
  grid->addWidget(new QLabel(qt(text::kLrcBatchOutputs), this), 0, 1);
  grid->addWidget(inputTable(), 1, 0);
  grid->addWidget(outputTable(), 1, 1);
  auto* listButtons = new QHBoxLayout;
  listButtons->addWidget(addButton());
  listButtons->addWidget(deleteButton());
  listButtons->addWidget(clearButton());
  grid->addLayout(listButtons, 2, 0);
  auto* folderRow = new QHBoxLayout;
  folderRow->addWidget(outputFolder_, 1);
  folderRow->addWidget(browse_);
  grid->addLayout(folderRow, 2, 1);
  grid->addWidget(progress(), 3, 0, 1, 2);
  grid->addWidget(notes(), 4, 0, 1, 2);
  auto* runButtons = new QHBoxLayout;
  runButtons->addStretch();
  runButtons->addWidget(startButton());
  runButtons->addWidget(quitButton());
  grid->addLayout(runButtons, 5, 0, 1, 2);

  connect(browse_, &QPushButton::clicked, this, &LrcBatchDialog::browseOutputFolder);
}

void LrcBatchDialog::browseOutputFolder() {
  browseFolder(*outputFolder_);
}

BatchRun LrcBatchDialog::start() {
  const std::string folder = outputFolder_->currentText().toStdString();
  const bool converts = !folder.empty() && !inputs_.empty();  // otherwise the run only refuses
  return runBatch(converts, [&](const BatchFileObserver& observer) {
    return runLrcBatch(prompter_, control_, inputs_, folder, outputs_, observer);
  });
}

void LrcBatchDialog::setRunning(bool running) {
  for (QPushButton* button :
       {addButton(), deleteButton(), clearButton(), startButton(), quitButton()})
    button->setEnabled(!running);
}

}  // namespace norva::lyr::app
