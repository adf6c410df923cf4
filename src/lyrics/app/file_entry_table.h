#pragma once
// A batch dialog's file list on screen: "File", "Folder" and "Bytes" columns (120, 120 and 80
// pixels, the size right-aligned), full-row selection and the file's small icon before its name.
#include <string_view>
#include <vector>

#include "lyrics/file_entry_list.h"

class QComboBox;
class QTreeWidget;
class QWidget;

namespace norva::lyr::app {

QTreeWidget* makeFileEntryTable(QWidget* parent);
// Shows the rows of `entries` in their order.
void showFileEntries(QTreeWidget& table, const FileEntryList& entries);
// The selected rows, ascending.
std::vector<size_t> selectedRows(const QTreeWidget& table);

class ListChoosers;
// "添加(&A)": the files chosen with `filter` (in the form of qtFilters) that exist, each once,
// added to `list` and shown in `table`.
void addChosenFiles(ListChoosers& choosers, std::string_view filter, FileEntryList& list,
                    QTreeWidget& table);
// A folder button: the chosen folder, in the form of chosenFolder, into `combo`.
void chooseFolderInto(ListChoosers& choosers, QComboBox& combo);

}  // namespace norva::lyr::app
