#include "device/app/configuration_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "device/app/dialog_file_chooser.h"
#include "device/device_messages.h"
#include "device/medium_information.h"

namespace norva::device {
namespace {

constexpr const char* kPageNames[] = {kTimeoutPageName, kRomPageName, kAdpcmPageName,
                                      kRawDataPageName, kTvfPageName};

QLineEdit* numberField(QWidget* parent) {
  auto* field = new QLineEdit(parent);
  field->setValidator(new QIntValidator(0, INT32_MAX, field));
  return field;
}

// A timeout field's value; the link's value when the field holds no number.
uint32_t timeoutOf(const QLineEdit* field, uint32_t kept) {
  bool ok = false;
  const uint value = field->text().toUInt(&ok);
  return ok ? value : kept;
}

QWidget* browseRow(QLineEdit* field, QPushButton* browse) {
  auto* row = new QWidget;
  auto* layout = new QHBoxLayout(row);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(field);
  layout->addWidget(browse);
  return row;
}

}  // namespace

ConfigurationDialog::ConfigurationDialog(DeviceLink& link, DeviceSettings& settings,
                                         desktop::FileDialogs& dialogs, QWidget* parent)
    : QDialog(parent), link_(link), settings_(settings), dialogs_(dialogs) {
  setWindowTitle(QString::fromUtf8(kConfigurationTitle));
  tree_ = new QTreeWidget(this);
  tree_->setHeaderHidden(true);
  tree_->setRootIsDecorated(false);
  tree_->setIconSize(QSize(16, 16));
  const QIcon pageIcon = style()->standardIcon(QStyle::SP_FileDialogDetailedView);
  for (const char* name : kPageNames) {
    auto* item = new QTreeWidgetItem(tree_, QStringList(QString::fromUtf8(name)));
    item->setIcon(0, pageIcon);
  }
  pages_ = new QStackedWidget;
  pages_->addWidget(timeoutPage());
  pages_->addWidget(romPage());
  pages_->addWidget(convertPage(kAdpcmBinary, adpcmToWav_, adpcmBinary_));
  pages_->addWidget(rawDataPage());
  pages_->addWidget(convertPage(kTvfBinary, tvfToWav_, tvfBinary_));
  frame_ = new QGroupBox(this);
  auto* frameLayout = new QVBoxLayout(frame_);
  frameLayout->addWidget(pages_);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &ConfigurationDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(tree_, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
    if (item != nullptr) selectPage(static_cast<Page>(tree_->indexOfTopLevelItem(item)));
  });

  auto* body = new QHBoxLayout;
  body->addWidget(tree_);
  body->addWidget(frame_, 1);
  auto* all = new QVBoxLayout(this);
  all->addLayout(body);
  all->addWidget(buttons);

  fill();
  selectPage(TimeoutPage);
}

QWidget* ConfigurationDialog::timeoutPage() {
  auto* page = new QWidget;
  auto* form = new QFormLayout(page);
  receive_ = numberField(page);
  send_ = numberField(page);
  format_ = numberField(page);
  form->addRow(QString::fromUtf8(kReceiveTimeoutLabel), receive_);
  form->addRow(QString::fromUtf8(kSendTimeoutLabel), send_);
  form->addRow(QString::fromUtf8(kFormatTimeoutLabel), format_);
  return page;
}

QWidget* ConfigurationDialog::romPage() {
  auto* page = new QWidget;
  auto* layout = new QVBoxLayout(page);
  romInMds_ = new QRadioButton(QString::fromUtf8(kRomInMds), page);
  romStandAlone_ = new QRadioButton(QString::fromUtf8(kRomStandAlone), page);
  layout->addWidget(romInMds_);
  layout->addWidget(romStandAlone_);
  layout->addStretch();
  return page;
}

QWidget* ConfigurationDialog::convertPage(const char* binaryText, QRadioButton*& toWav,
                                          QRadioButton*& binary) {
  auto* page = new QWidget;
  auto* layout = new QVBoxLayout(page);
  toWav = new QRadioButton(QString::fromUtf8(kConvertToWav), page);
  binary = new QRadioButton(QString::fromUtf8(binaryText), page);
  layout->addWidget(toWav);
  layout->addWidget(binary);
  layout->addStretch();
  return page;
}

QWidget* ConfigurationDialog::rawDataPage() {
  auto* page = new QWidget;
  auto* form = new QFormLayout(page);
  rawFile_ = new QLineEdit(page);
  rawViewer_ = new QLineEdit(page);
  rawAddress_ = new QLineEdit(page);
  rawCount_ = new QLineEdit(page);
  auto* browseFile = new QPushButton(QString::fromUtf8(kBrowseButton), page);
  auto* browseViewerButton = new QPushButton(QString::fromUtf8(kBrowseButton), page);
  connect(browseFile, &QPushButton::clicked, this, &ConfigurationDialog::browseRawFile);
  connect(browseViewerButton, &QPushButton::clicked, this, &ConfigurationDialog::browseViewer);
  form->addRow(QString::fromUtf8(kRawFileLabel), browseRow(rawFile_, browseFile));
  form->addRow(QString::fromUtf8(kRawViewerLabel), browseRow(rawViewer_, browseViewerButton));
  auto* range = new QGroupBox(QString::fromUtf8(kRawRangeLabel), page);
  auto* rangeForm = new QFormLayout(range);
  rangeForm->addRow(QString::fromUtf8(kRawAddrLabel), rawAddress_);
  rangeForm->addRow(QString::fromUtf8(kRawCountLabel), rawCount_);
  form->addRow(range);
  return page;
}

void ConfigurationDialog::fill() {
  const Timeouts timeouts = link_.timeouts();
  receive_->setText(QString::number(timeouts.receive));
  send_->setText(QString::number(timeouts.send));
  format_->setText(QString::number(timeouts.format));
  const bool mds = settings_.integerOrDefault(kRomSelectKey) == 2;
  romInMds_->setChecked(mds);
  romStandAlone_->setChecked(!mds);
  const bool adpcmBinary = settings_.integerOrDefault(kAdpcmConvertKey) == 1;
  adpcmBinary_->setChecked(adpcmBinary);
  adpcmToWav_->setChecked(!adpcmBinary);
  const bool tvfBinary = settings_.integerOrDefault(kTvfConvertKey) == 1;
  tvfBinary_->setChecked(tvfBinary);
  tvfToWav_->setChecked(!tvfBinary);
  rawFile_->setText(QString::fromStdString(settings_.textOrDefault(kRawDataFileNameKey)));
  rawViewer_->setText(QString::fromStdString(settings_.textOrDefault(kRawDataViewerKey)));
  rawAddress_->setText(QString::number(settings_.integerOrDefault(kRawDataAddrKey)));
  rawCount_->setText(QString::number(settings_.integerOrDefault(kRawDataCountKey)));
}

void ConfigurationDialog::store() {
  const Timeouts kept = link_.timeouts();
  link_.setTimeouts(Timeouts{timeoutOf(receive_, kept.receive), timeoutOf(send_, kept.send),
                             timeoutOf(format_, kept.format)});
  settings_.setInteger(kRomSelectKey, romInMds_->isChecked() ? 2 : 0);
  settings_.setInteger(kAdpcmConvertKey, adpcmBinary_->isChecked() ? 1 : 0);
  settings_.setInteger(kTvfConvertKey, tvfBinary_->isChecked() ? 1 : 0);
  settings_.setText(kRawDataFileNameKey, rawFile_->text().toStdString());
  settings_.setText(kRawDataViewerKey, rawViewer_->text().toStdString());
  settings_.setInteger(kRawDataAddrKey, parseTypedNumber(rawAddress_->text().toStdString()));
  settings_.setInteger(kRawDataCountKey, parseTypedNumber(rawCount_->text().toStdString()));
  settings_.sync();
}

void ConfigurationDialog::accept() {
  store();
  QDialog::accept();
}

void ConfigurationDialog::selectPage(Page page) {
  pages_->setCurrentIndex(page);
  frame_->setTitle(QStringLiteral(" %1 ").arg(QString::fromUtf8(kPageNames[page])));
  QTreeWidgetItem* item = tree_->topLevelItem(page);
  if (tree_->currentItem() != item) tree_->setCurrentItem(item);
}

int ConfigurationDialog::currentPage() const {
  return pages_->currentIndex();
}

QString ConfigurationDialog::frameTitle() const {
  return frame_->title();
}

void ConfigurationDialog::browseRawFile() {
  const desktop::FileDialogSetup setup{{}, dialogFilterOf(kDataFileFilter), {}};
  if (const auto chosen = dialogs_.chooseSave(setup, rawFile_->text())) rawFile_->setText(*chosen);
}

void ConfigurationDialog::browseViewer() {
  const desktop::FileDialogSetup setup{{}, dialogFilterOf(kExecutableFilter), {}};
  if (const auto chosen = dialogs_.chooseOpen(setup, rawViewer_->text()))
    rawViewer_->setText(*chosen);
}

}  // namespace norva::device
