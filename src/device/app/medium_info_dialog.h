#pragma once
// "Disk Medium Information": the medium record of one drive as the dialog's fields. When the
// record cannot be read every field is empty.
#include <QDialog>
#include <QString>
#include <QStringList>
#include <map>
#include <vector>

#include "device/service/device_link.h"

class QLabel;

namespace norva::device {

class MediumInfoDialog : public QDialog {
 public:
  MediumInfoDialog(DeviceLink& link, int drive, QWidget* parent = nullptr);
  DeviceCode readCode() const { return code_; }
  // The value shown beside `label` (one of the dialog's labels, for example "FAT Type :").
  QString field(const char* label) const;
  // The bytes/sector, sectors/cluster and clusters/block lines, in that order.
  QStringList geometry() const;

 private:
  DeviceCode code_;
  std::map<QString, QLabel*> values_;
  std::vector<QLabel*> geometry_;
};

}  // namespace norva::device
