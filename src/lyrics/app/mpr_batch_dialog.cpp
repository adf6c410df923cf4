#include "lyrics/app/mpr_batch_dialog.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include "lyrics/lyrics_messages.h"
#include "lyrics/service/mpr_batch.h"

namespace norva::lyr::app {

MprBatchDialog::MprBatchDialog(Prompter& prompter, ListChoosers& choosers, QWidget* parent)
    : BatchListDialog(prompter, choosers,
                      {text::kMprBatchFilter, text::kMprBatchClearInputs, mprBatchBusyMessage()},
                      parent) {
  setWindowTitle(qt(text::kMprToolCaption));
  lyricFolder_ = makeFolderCombo();
  outputFolder_ = makeFolderCombo();
  // One parent: choosing one clears the other two; none is chosen at first.
  tly_ = new QRadioButton(qt(text::kMprBatchKindTly), this);
  lyr_ = new QRadioButton(qt(text::kMprBatchKindLyr), this);
  lrc_ = new QRadioButton(qt(text::kMprBatchKindLrc), this);
  browseLyric_ = new QPushButton(qt(text::kBrowseButton), this);
  browseOutput_ = new QPushButton(qt(text::kBrowseButton), this);
  stop_ = new QPushButton(qt(text::kStopButton), this);
  stop_->setEnabled(false);
  clearOutput_ = new QPushButton(qt(text::kMprBatchClearOutputs), this);

  auto* outputButtons = new QHBoxLayout;
  outputButtons->addStretch();
  outputButtons->addWidget(clearOutput_);
  auto* folders = new QGridLayout;
  folders->addWidget(new QLabel(qt(text::kMprBatchLyricFolder), this), 0, 0);
  folders->addWidget(lyricFolder_, 0, 1);
  folders->addWidget(browseLyric_, 0, 2);
  folders->addWidget(new QLabel(qt(text::kMprBatchOutputFolder), this), 1, 0);
  folders->addWidget(outputFolder_, 1, 1);
  folders->addWidget(browseOutput_, 1, 2);
  folders->setColumnStretch(1, 1);
  auto* kinds = new QHBoxLayout;
  kinds->addWidget(tly_);
  kinds->addWidget(lyr_);
  kinds->addWidget(lrc_);
  kinds->addStretch();
  folders->addLayout(kinds, 2, 0, 1, 3);
  layOut(text::kMprBatchInputs, text::kMprBatchOutputs, outputButtons, folders, stop_);

  connect(browseLyric_, &QPushButton::clicked, this, &MprBatchDialog::browseLyricFolder);
  connect(browseOutput_, &QPushButton::clicked, this, &MprBatchDialog::browseOutputFolder);
  connect(stop_, &QPushButton::clicked, this, &MprBatchDialog::requestStop);
  connect(clearOutput_, &QPushButton::clicked, this, &MprBatchDialog::clearOutputList);
}

void MprBatchDialog::browseLyricFolder() {
  browseFolder(*lyricFolder_);
}

void MprBatchDialog::browseOutputFolder() {
  browseFolder(*outputFolder_);
}

std::optional<LyricKind> MprBatchDialog::lyricKind() const {
  for (LyricKind kind : {LyricKind::TimedText, LyricKind::Lyr, LyricKind::Lrc})
    if (kindButton(kind)->isChecked()) return kind;
  return std::nullopt;
}

QRadioButton* MprBatchDialog::kindButton(LyricKind kind) const {
  switch (kind) {
    case LyricKind::TimedText:
      return tly_;
    case LyricKind::Lyr:
      return lyr_;
    case LyricKind::Lrc:
      return lrc_;
  }
  return lrc_;
}

BatchRun MprBatchDialog::start() {
  const MprBatchFolders folders{lyricFolder_->currentText().toStdString(),
                                outputFolder_->currentText().toStdString()};
  const std::optional<LyricKind> kind = lyricKind();
  // Otherwise the run only refuses with its message.
  const bool converts =
      !folders.lyrics.empty() && !folders.output.empty() && !inputs_.empty() && kind.has_value();
  return runBatch(converts, [&](const BatchFileObserver& observer) {
    return runMprBatch(prompter_, control_, inputs_, folders, kind, outputs_, observer);
  });
}

void MprBatchDialog::setRunning(bool running) {
  for (QPushButton* button :
       {addButton(), deleteButton(), clearButton(), browseLyric_, browseOutput_, startButton()})
    button->setEnabled(!running);
  // Outside a run there is nothing to stop.
  stop_->setEnabled(running);
}

}  // namespace norva::lyr::app
