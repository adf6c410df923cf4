#pragma once
// A batch dialog's file list on screen: "File", "Folder" and "Bytes" columns (120, 120 and 80
// pixels, the size right-aligned), full-row selection and the file's small icon before its name.
#include <vector>

#include "lyrics/file_entry_list.h"

class QTreeWidget;
class QWidget;

namespace norva::lyr::app {

QTreeWidget* makeFileEntryTable(QWidget* parent);
// Shows the rows of `entries` in their order.
void showFileEntries(QTreeWidget& table, const FileEntryList& entries);
// The selected rows, ascending.
std::vector<size_t> selectedRows(const QTreeWidget& table);

}  // namespace norva::lyr::app
