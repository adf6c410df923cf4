#pragma once
// The stored state of a list: its sort key and direction and its column widths, in the list's
// own section ("Desktop", or "Mp3Mem_<drive>" for a memory view).
#include <QString>
#include <QTreeWidget>

#include "device/explorer_rules.h"
#include "device/service/device_settings.h"

namespace norva::device {

inline constexpr int kDefaultColumnWidth = static_cast<int>(kColumnWidthDefault);

QString memoryViewSection(int drive);
SortState loadSort(const DeviceSettings& settings, const QString& section);
void storeSort(DeviceSettings& settings, const QString& section, const SortState& sort);
void loadColumnWidths(const DeviceSettings& settings, const QString& section, QTreeWidget& list);
void storeColumnWidths(DeviceSettings& settings, const QString& section, const QTreeWidget& list);

}  // namespace norva::device
