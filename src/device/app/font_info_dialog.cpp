#include "device/app/font_info_dialog.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMetaObject>
#include <QPushButton>
#include <QVBoxLayout>

#include "device/device_messages.h"

namespace norva::device {

FontInfoDialog::FontInfoDialog(DeviceLink& link, QWidget* parent) : QDialog(parent) {
  setWindowTitle(QString::fromUtf8(kFontInfoCaption));
  hasRecord_ = link.ReadFontRecord(record_) == kCodeOk;
  if (!hasRecord_) record_ = FontRecord{};

  size_ = new QLineEdit(this);
  name_ = new QLineEdit(this);
  size_->setReadOnly(true);
  name_->setReadOnly(true);
  if (hasRecord_) {
    size_->setText(QString::number(record_.size));
    name_->setText(QString::fromStdString(record_.name));
  }
  auto* fields = new QFormLayout;
  fields->addRow(QString::fromUtf8(kFontSizeLabel), size_);
  fields->addRow(QString::fromUtf8(kFontNameLabel), name_);
  auto* close = new QPushButton(QString::fromUtf8(kFontInfoClose), this);
  close->setDefault(true);
  connect(close, &QPushButton::clicked, this, &QDialog::accept);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(close);
  auto* all = new QVBoxLayout(this);
  all->addLayout(fields);
  all->addLayout(buttons);
}

QString FontInfoDialog::sizeText() const {
  return size_->text();
}

QString FontInfoDialog::nameText() const {
  return name_->text();
}

void FontInfoDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (!hasRecord_) QMetaObject::invokeMethod(this, &QDialog::reject, Qt::QueuedConnection);
}

}  // namespace norva::device
