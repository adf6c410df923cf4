#pragma once
// "播放器字体信息": the name and size of the font stored on the player. It reads the font
// record when it is made; when there is none (or the player cannot be read) the record is
// cleared and the dialog closes as soon as it is shown.
#include <QDialog>

#include "device/service/device_link.h"

class QLineEdit;

namespace norva::device {

class FontInfoDialog : public QDialog {
 public:
  FontInfoDialog(DeviceLink& link, QWidget* parent = nullptr);
  bool hasRecord() const { return hasRecord_; }
  const FontRecord& record() const { return record_; }
  QString sizeText() const;
  QString nameText() const;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  FontRecord record_;
  bool hasRecord_ = false;
  QLineEdit* size_;
  QLineEdit* name_;
};

}  // namespace norva::device
