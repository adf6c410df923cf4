#include "lyrics/app/text_encoding_dialog.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QPushButton>

#include "lyrics/lyrics_messages.h"
#include "lyrics/service/text_batch.h"

namespace norva::lyr::app {

TextEncodingDialog::TextEncodingDialog(Prompter& prompter, ListChoosers& choosers, QWidget* parent)
    : BatchListDialog(prompter, choosers, {text::kTextDialogFilter, text::kClearButton, {}},
                      parent) {
  setWindowTitle(qt(text::kTextDialogTitle));
  outputFolder_ = makeFolderCombo();
  browse_ = new QPushButton(qt(text::kBrowseButton), this);
  stop_ = new QPushButton(qt(text::kStopButton), this);
  stop_->setEnabled(false);

  auto* folderRow = new QHBoxLayout;
  folderRow->addWidget(outputFolder_, 1);
  folderRow->addWidget(browse_);
  layOut(text::kTextDialogInputs, text::kTextDialogOutputs, folderRow, nullptr, stop_);

  connect(browse_, &QPushButton::clicked, this, &TextEncodingDialog::browseOutputFolder);
  connect(stop_, &QPushButton::clicked, this, &TextEncodingDialog::requestStop);
}

void TextEncodingDialog::browseOutputFolder() {
  browseFolder(*outputFolder_);
}

BatchRun TextEncodingDialog::start() {
  const std::string folder = outputFolder_->currentText().toStdString();
  const bool converts = !folder.empty() && !inputs_.empty();  // otherwise the run only refuses
  return runBatch(converts, [&](const BatchFileObserver& observer) {
    return runTextBatch(prompter_, control_, inputs_, folder, outputs_, observer);
  });
}

void TextEncodingDialog::setRunning(bool running) {
  for (QPushButton* button :
       {addButton(), deleteButton(), clearButton(), browse_, startButton(), quitButton()})
    button->setEnabled(!running);
  stop_->setEnabled(running);
}

}  // namespace norva::lyr::app
