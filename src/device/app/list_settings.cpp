#include "device/app/list_settings.h"

#include <QHeaderView>

namespace norva::device {
namespace {

// A key whose texts live as long as the call that uses it.
struct OwnedKey {
  QByteArray section;
  QByteArray name;
  SettingKey key() const { return SettingKey{section.constData(), name.constData()}; }
};

OwnedKey keyOf(const QString& section, const QString& name) {
  return OwnedKey{section.toUtf8(), name.toUtf8()};
}

}  // namespace

QString memoryViewSection(int drive) {
  return QString::fromStdString(memoryListSection(drive));
}

SortState loadSort(const DeviceSettings& settings, const QString& section) {
  SortState sort;
  sort.key =
      static_cast<int>(settings.integer(keyOf(section, kSortKeyName).key(), kSortKeyDefault));
  sort.ascending =
      settings.integer(keyOf(section, kSortAscendentName).key(), kSortAscendentDefault) != 0;
  return sort;
}

void storeSort(DeviceSettings& settings, const QString& section, const SortState& sort) {
  settings.setInteger(keyOf(section, kSortKeyName).key(), sort.key);
  settings.setInteger(keyOf(section, kSortAscendentName).key(), sort.ascending ? 1 : 0);
}

void loadColumnWidths(const DeviceSettings& settings, const QString& section, QTreeWidget& list) {
  for (int column = 0; column < list.columnCount(); ++column) {
    const auto width = settings.integer(
        keyOf(section, QString::fromStdString(columnWidthName(column))).key(), kDefaultColumnWidth);
    list.setColumnWidth(column,
                        width > 0 && width < 10000 ? static_cast<int>(width) : kDefaultColumnWidth);
  }
}

void storeColumnWidths(DeviceSettings& settings, const QString& section, const QTreeWidget& list) {
  for (int column = 0; column < list.columnCount(); ++column)
    settings.setInteger(keyOf(section, QString::fromStdString(columnWidthName(column))).key(),
                        list.columnWidth(column));
}

}  // namespace norva::device
