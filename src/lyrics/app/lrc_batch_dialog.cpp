#include "lyrics/app/lrc_batch_dialog.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QPushButton>

#include "lyrics/lyrics_messages.h"
#include "lyrics/service/lrc_batch.h"

namespace norva::lyr::app {

LrcBatchDialog::LrcBatchDialog(Prompter& prompter, ListChoosers& choosers, QWidget* parent)
    : BatchListDialog(prompter, choosers,
                      {text::kLrcBatchFilter, text::kClearButton, lrcBatchBusyMessage()}, parent) {
  setWindowTitle(qt(text::kLrcBatchTitle));
  outputFolder_ = makeFolderCombo();
  browse_ = new QPushButton(qt(text::kBrowseButton), this);

  auto* folderRow = new QHBoxLayout;
  folderRow->addWidget(outputFolder_, 1);
  folderRow->addWidget(browse_);
  layOut(text::kLrcBatchInputs, text::kLrcBatchOutputs, folderRow, nullptr, nullptr);

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
