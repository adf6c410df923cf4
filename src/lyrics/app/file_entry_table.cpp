#include "lyrics/app/file_entry_table.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QTreeWidget>
#include <algorithm>

#include "lyrics/app/list_choosers.h"
#include "lyrics/lyrics_messages.h"
#include "lyrics/service/batch_run.h"

namespace norva::lyr::app {

QTreeWidget* makeFileEntryTable(QWidget* parent) {
  auto* table = new QTreeWidget(parent);
  table->setColumnCount(3);
  table->setHeaderLabels({qt(text::kFileColumn), qt(text::kFolderColumn), qt(text::kBytesColumn)});
  table->setColumnWidth(0, 120);
  table->setColumnWidth(1, 120);
  table->setColumnWidth(2, 80);
  table->setRootIsDecorated(false);
  table->setSelectionBehavior(QAbstractItemView::SelectRows);
  table->setSelectionMode(QAbstractItemView::ExtendedSelection);
  return table;
}

void showFileEntries(QTreeWidget& table, const FileEntryList& entries) {
  const QFileIconProvider icons;
  table.clear();
  for (const FileEntry& entry : entries.entries()) {
    auto* row = new QTreeWidgetItem(&table);
    row->setText(0, QString::fromStdString(entry.name));
    row->setText(1, QString::fromStdString(entry.folder));
    row->setText(2, QString::number(entry.size));
    row->setTextAlignment(2, Qt::AlignRight | Qt::AlignVCenter);
    row->setIcon(0, icons.icon(QFileInfo(QString::fromStdString(entry.path()))));
  }
}

std::vector<size_t> selectedRows(const QTreeWidget& table) {
  std::vector<size_t> rows;
  for (int i = 0; i < table.topLevelItemCount(); ++i)
    if (table.topLevelItem(i)->isSelected()) rows.push_back(static_cast<size_t>(i));
  return rows;
}

void addChosenFiles(ListChoosers& choosers, std::string_view filter, FileEntryList& list,
                    QTreeWidget& table) {
  desktop::FileDialogSetup setup;
  setup.filter = qtFilters(filter);
  for (const QString& path : choosers.chooseFiles(setup)) {
    if (std::optional<FileEntry> entry = fileEntryOnDisk(path.toStdString()))
      list.add(std::move(*entry));
  }
  showFileEntries(table, list);
}

void chooseFolderInto(ListChoosers& choosers, QComboBox& combo) {
  if (const std::optional<QString> folder = choosers.chooseFolder(qt(text::kFolderPickerTitle)))
    combo.setEditText(chosenFolder(*folder));
}

}  // namespace norva::lyr::app
