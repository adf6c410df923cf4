#pragma once
// "Configuration": a tree of five pages on the left, the selected page in a frame on the right
// titled " <page> ". Opening fills every page from the settings and the link's timeouts; OK
// stores what every page shows, Cancel stores nothing.
#include <QDialog>

#include "desktop/file_dialogs.h"
#include "device/service/device_link.h"
#include "device/service/device_settings.h"

class QGroupBox;
class QLineEdit;
class QRadioButton;
class QStackedWidget;
class QTreeWidget;

namespace norva::device {

class ConfigurationDialog : public QDialog {
 public:
  enum Page { TimeoutPage, RomPage, AdpcmPage, RawDataPage, TvfPage, kPageCount };

  ConfigurationDialog(DeviceLink& link, DeviceSettings& settings, desktop::FileDialogs& dialogs,
                      QWidget* parent = nullptr);

  void selectPage(Page page);
  int currentPage() const;
  QString frameTitle() const;
  QTreeWidget* pageTree() const { return tree_; }

  // The controls, for the program's tests.
  QLineEdit* receiveTimeout() const { return receive_; }
  QLineEdit* sendTimeout() const { return send_; }
  QLineEdit* formatTimeout() const { return format_; }
  QRadioButton* romInMds() const { return romInMds_; }
  QRadioButton* romStandAlone() const { return romStandAlone_; }
  QRadioButton* adpcmToWav() const { return adpcmToWav_; }
  QRadioButton* adpcmBinary() const { return adpcmBinary_; }
  QRadioButton* tvfToWav() const { return tvfToWav_; }
  QRadioButton* tvfBinary() const { return tvfBinary_; }
  QLineEdit* rawFileName() const { return rawFile_; }
  QLineEdit* rawViewer() const { return rawViewer_; }
  QLineEdit* rawAddress() const { return rawAddress_; }
  QLineEdit* rawCount() const { return rawCount_; }

  // The two "Browse >>" buttons.
  void browseRawFile();
  void browseViewer();

  void accept() override;

 private:
  QWidget* timeoutPage();
  QWidget* romPage();
  QWidget* convertPage(const char* binaryText, QRadioButton*& toWav, QRadioButton*& binary);
  QWidget* rawDataPage();
  void fill();
  void store();

  DeviceLink& link_;
  DeviceSettings& settings_;
  desktop::FileDialogs& dialogs_;
  QTreeWidget* tree_;
  QGroupBox* frame_;
  QStackedWidget* pages_;
  QLineEdit* receive_ = nullptr;
  QLineEdit* send_ = nullptr;
  QLineEdit* format_ = nullptr;
  QRadioButton* romInMds_ = nullptr;
  QRadioButton* romStandAlone_ = nullptr;
  QRadioButton* adpcmToWav_ = nullptr;
  QRadioButton* adpcmBinary_ = nullptr;
  QRadioButton* tvfToWav_ = nullptr;
  QRadioButton* tvfBinary_ = nullptr;
  QLineEdit* rawFile_ = nullptr;
  QLineEdit* rawViewer_ = nullptr;
  QLineEdit* rawAddress_ = nullptr;
  QLineEdit* rawCount_ = nullptr;
};

}  // namespace norva::device
