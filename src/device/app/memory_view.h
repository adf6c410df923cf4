#pragma once
// One drive of the player (window name "Mp3 Memory Viewer"): a 20-pixel header with the
// drive's title and state, and the list of its files in player order (name, index, size,
// type) as the device link's cache holds them. The list accepts files dragged from the desktop
// pane or dropped from the desktop's file manager (downloaded to the player), gives its entries
// to drags onto the desktop pane (uploaded to the PC), and carries the drive's commands in its
// context menu.
#include <QLabel>
#include <QMimeData>
#include <QTreeWidget>
#include <QWidget>
#include <memory>
#include <vector>

#include "device/app/explorer_services.h"
#include "device/app/pane_list.h"
#include "device/explorer_rules.h"

namespace norva::device {

class MemoryView : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kHeaderHeight = 20;

  MemoryView(ExplorerServices& services, int drive, QWidget* parent = nullptr);
  ~MemoryView() override;

  int drive() const { return drive_; }
  void setTitle(const QString& title);
  // Lists the drive from the cache (re-read first when `force` is set or the drive is dirty).
  void reload(bool force);
  QString headerText() const { return header_->text(); }
  QTreeWidget& list() { return *list_; }
  bool writable() const { return mode_ == MemoryListMode::Writable; }
  MemoryListMode mode() const { return mode_; }
  uint32_t mediumFlags() const { return flags_; }
  const SortState& sort() const { return sort_; }
  void headerClicked(int column);

  // The selected entries in list order.
  std::vector<EntryRef> selection() const;
  // Selects the items whose entry index is one of `indices`.
  void selectIndices(const std::vector<int>& indices);

  // The commands of the context menu, by command number: whether one is available now, and
  // running it.
  bool commandEnabled(int commandId) const;
  void runCommand(int commandId);
  // The context menu's actions with their availability (tests look at it without opening it).
  std::unique_ptr<QMenu> contextMenu();

  void deleteSelected();
  void startRename();
  // Ends a label edit: renames the entry on the player and reloads.
  void renameItem(QTreeWidgetItem* item);

  std::unique_ptr<QMimeData> dragData() const;
  // PC files dropped on the list (a URI list): downloads them on the worker.
  bool dropData(const QMimeData& mime);
  bool acceptsDrop(const QMimeData& mime) const;

  // Stores the column widths.
  void saveSettings();

 signals:
  void selectionChanged();
  void transferred();  // a download into this view has ended and the view shows its result

 private:
  void fillList();
  void showContextMenu(const QPoint& at);
  void* owner() { return this; }

  ExplorerServices& services_;
  const int drive_;
  QString title_;
  QLabel* header_ = nullptr;
  PaneList* list_ = nullptr;
  MemoryListMode mode_ = MemoryListMode::Hidden;
  uint32_t flags_ = 0;
  uint64_t totalBytes_ = 0;
  int fileCount_ = 0;
  SortState sort_;
  TransferList entries_;
  bool filling_ = false;
};

}  // namespace norva::device
