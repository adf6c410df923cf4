#pragma once
// The left pane of the explorer window: the PC. A button to the parent folder, the location box
// whose drop-down is a folder tree (the home folder, the file system and the mounted drives),
// and the file list: subfolders, then the files matching the filter, with size, type and local
// modification time, sorted by the stored column and direction. Files are dragged from here to
// a memory view; entries dragged here from a memory view are uploaded into the folder shown.
#include <QMimeData>
#include <QTreeWidget>
#include <QWidget>
#include <memory>
#include <vector>

#include "device/app/explorer_services.h"
#include "device/app/pane_list.h"
#include "device/app/transfer_mime.h"
#include "device/explorer_rules.h"

class QComboBox;
class QStandardItemModel;
class QToolButton;
class QTreeView;

namespace norva::device {

class DesktopPane : public QWidget {
  Q_OBJECT

 public:
  DesktopPane(ExplorerServices& services, QWidget* parent = nullptr);
  ~DesktopPane() override;

  // The folder shown; setFolder lists another one (false when it cannot be read: the folder
  // shown stays).
  const QString& folder() const { return folder_; }
  bool setFolder(const QString& path);
  void goToParent();
  void reload();
  void setFilter(const QString& pattern);
  const QString& filter() const { return filter_; }

  QTreeWidget& list() { return *list_; }
  QComboBox& locationBox() { return *location_; }
  const SortState& sort() const { return sort_; }
  // A click on a column header.
  void headerClicked(int column);

  // Full paths of the selected items, in list order.
  QStringList selectedPaths() const;
  bool canPlayAudio() const;
  void playAudio();
  // Deletes the selected files after the question; a selected folder is refused before
  // anything is deleted.
  void deleteSelected();
  void openItem(QTreeWidgetItem* item);

  // What a drag of the selection carries; null without a selection.
  std::unique_ptr<QMimeData> dragData() const;
  // Entries of a memory view dropped on the list: asks the window to upload them.
  bool dropData(const QMimeData& mime);

  // Stores the column widths and the folder shown.
  void saveSettings();

 signals:
  void uploadRequested(const norva::device::PlayerEntries& entries, const QString& folder);
  void selectionChanged();

 private:
  struct Entry {
    QString name;
    QString path;
    bool folder = false;
    uint64_t size = 0;
    int64_t modified = 0;
    QString texts[4];
  };

  void buildLocationTree();
  void showLocation(const QString& path);
  void fillList();
  void showContextMenu(const QPoint& at);

  ExplorerServices& services_;
  QToolButton* parentButton_ = nullptr;
  QComboBox* location_ = nullptr;
  QTreeView* locationTree_ = nullptr;
  QStandardItemModel* locationModel_ = nullptr;
  PaneList* list_ = nullptr;
  QString folder_;
  QString filter_ = QStringLiteral("*.*");
  SortState sort_;
  std::vector<Entry> entries_;
};

}  // namespace norva::device
