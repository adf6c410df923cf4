#include "device/app/medium_info_dialog.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <string>
#include <utility>
#include <vector>

#include "device/device_messages.h"
#include "device/medium_information.h"

namespace norva::device {

MediumInfoDialog::MediumInfoDialog(DeviceLink& link, int drive, QWidget* parent) : QDialog(parent) {
  setWindowTitle(QString::fromUtf8(kMediumInfoTitle));
  MediumRecord record;
  code_ = link.GetMediumInfo(drive, record);
  MediumInformationTexts texts;
  if (code_ == kCodeOk) texts = mediumInformationTexts(record);

  const std::vector<std::pair<const char*, const std::string*>> medium = {
      {kDeviceStatusLabel, &texts.deviceStatus}, {kFatStatusLabel, &texts.fatStatus},
      {kMediumTypeLabel, &texts.mediumType},     {kTotalBlocksLabel, &texts.totalBlocks},
      {kUsedBlocksLabel, &texts.usedBlocks},     {kPhysicalBlocksLabel, &texts.physicalBlocks},
      {kBadBlocksLabel, &texts.badBlocks},
  };
  const std::vector<std::pair<const char*, const std::string*>> fileSystem = {
      {kFatTypeLabel, &texts.fatType},
      {kFatStartLabel, &texts.fatStartSector},
      {kFatSectorCountLabel, &texts.fatSectorCount},
      {kRootStartLabel, &texts.rootStartSector},
      {kRootEntryCountLabel, &texts.rootEntryCount},
      {kTotalFileCountLabel, &texts.totalFileCount},
  };
  auto formOf = [this](const auto& rows) {
    auto* form = new QFormLayout;
    for (const auto& [label, text] : rows) {
      auto* value = new QLabel(QString::fromStdString(*text), this);
      value->setTextInteractionFlags(Qt::TextSelectableByMouse);
      form->addRow(QString::fromUtf8(label), value);
      values_[QString::fromUtf8(label)] = value;
    }
    return form;
  };
  auto* mediumForm = formOf(medium);
  auto* fatForm = formOf(fileSystem);
  // The three figures of the file system's geometry carry their unit in the value itself.
  for (const std::string* text :
       {&texts.bytesPerSector, &texts.sectorsPerCluster, &texts.clustersPerBlock}) {
    auto* value = new QLabel(QString::fromStdString(*text), this);
    fatForm->addRow(QString(), value);
    geometry_.push_back(value);
  }

  auto* left = new QGroupBox(this);
  left->setLayout(mediumForm);
  auto* right = new QGroupBox(this);
  right->setLayout(fatForm);
  auto* close = new QPushButton(QString::fromUtf8(kCloseButton), this);
  close->setDefault(true);
  connect(close, &QPushButton::clicked, this, &QDialog::accept);
  auto* groups = new QHBoxLayout;
  groups->addWidget(left);
  groups->addWidget(right);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(close);
  auto* all = new QVBoxLayout(this);
  all->addLayout(groups);
  all->addLayout(buttons);
}

QString MediumInfoDialog::field(const char* label) const {
  const auto found = values_.find(QString::fromUtf8(label));
  return found == values_.end() ? QString() : found->second->text();
}

QStringList MediumInfoDialog::geometry() const {
  QStringList texts;
  for (const QLabel* label : geometry_) texts << label->text();
  return texts;
}

}  // namespace norva::device
