#include "device/app/memory_view.h"

#include <QDragEnterEvent>
#include <QFontDatabase>
#include <QHash>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeDatabase>
#include <QVBoxLayout>
#include <algorithm>

#include "device/app/file_kind_icons.h"
#include "device/app/list_settings.h"
#include "device/app/transfer_mime.h"
#include "device/app/trelliq_commands.h"
#include "device/device_messages.h"
#include "device/storage_rules.h"

namespace norva::device {
namespace {

constexpr int kIndexRole = Qt::UserRole + 1;
constexpr int kSizeRole = Qt::UserRole + 2;
constexpr int kNameRole = Qt::UserRole + 3;

struct ContextCommand {
  int id;
  const char* text;
};
constexpr ContextCommand kContextCommands[] = {
    {command::kDelete, kDeleteMenu},
    {command::kUp, kUpMenu},
    {command::kDown, kDownMenu},
    {command::kRefresh, kRefreshContextMenu},
    {command::kFormat, kFormatMenu},
    {command::kLowLevelFormat, kLowLevelFormatMenu},
    {command::kRename, kRenameMenu},
    {command::kDownloadRawData, kDownloadRawDataMenu},
    {command::kDiskProperties, kDiskPropertiesMenu},
};

QIcon iconForName(const QString& name, const QMimeType& type) {
  return QIcon::fromTheme(type.iconName(), fileKindIcon(fileKindOf(name, false)));
}

}  // namespace

MemoryView::MemoryView(ExplorerServices& services, int drive, QWidget* parent)
    : QWidget(parent), services_(services), drive_(drive) {
  setObjectName(QString::fromLatin1(kMemoryViewName));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  header_ = new QLabel(this);
  header_->setFixedHeight(kHeaderHeight);
  header_->setAutoFillBackground(true);
  header_->setBackgroundRole(QPalette::Button);
  header_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  header_->setFont(QFontDatabase::systemFont(QFontDatabase::TitleFont));
  header_->setFrameShape(QFrame::Panel);
  header_->setFrameShadow(QFrame::Raised);
  layout->addWidget(header_);
  PaneList::Hooks hooks;
  hooks.dragTypes = {QString::fromLatin1(kPlayerEntriesMimeType)};
  hooks.dragData = [this] { return dragData(); };
  hooks.accepts = [this](const QMimeData& mime) { return acceptsDrop(mime); };
  hooks.drop = [this](const QMimeData& mime) { return dropData(mime); };
  hooks.key = [this](const QKeyEvent& event) {
    if (event.key() != Qt::Key_Delete || event.modifiers() != Qt::NoModifier) return false;
    deleteSelected();
    return true;
  };
  list_ = new PaneList(this, std::move(hooks));
  list_->setHeaderLabels({QString::fromUtf8(kColumnName), QString::fromUtf8(kColumnIndex),
                          QString::fromUtf8(kColumnSize), QString::fromUtf8(kColumnType)});
  list_->headerItem()->setTextAlignment(2, Qt::AlignRight | Qt::AlignVCenter);
  list_->headerItem()->setTextAlignment(3, Qt::AlignRight | Qt::AlignVCenter);
  list_->header()->setStretchLastSection(false);
  list_->header()->setSectionsClickable(true);
  list_->header()->setSortIndicatorShown(true);
  list_->setContextMenuPolicy(Qt::CustomContextMenu);
  layout->addWidget(list_);
  connect(list_->header(), &QHeaderView::sectionClicked, this, &MemoryView::headerClicked);
  connect(list_, &QTreeWidget::itemSelectionChanged, this, &MemoryView::selectionChanged);
  connect(list_, &QWidget::customContextMenuRequested, this, &MemoryView::showContextMenu);
  connect(list_, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem* item, int column) {
    if (!filling_ && column == 0) renameItem(item);
  });
  loadColumnWidths(services_.settings, memoryViewSection(drive_), *list_);
  sort_ = loadSort(services_.settings, memoryViewSection(drive_));
  setTitle(QString::fromUtf8(drive_ == 0 ? kInternalMemoryTitle : kExternalMemoryTitle));
  list_->hide();
}

MemoryView::~MemoryView() = default;

void MemoryView::setTitle(const QString& title) {
  title_ = title;
}

void MemoryView::reload(bool force) {
  entries_ = TransferList{};
  DeviceLink& link = services_.link;
  const bool listed = link.ListDrive(drive_, entries_, force);
  flags_ = link.GetMediumFlags(drive_).value_or(0);
  uint64_t freeBytes = 0;
  if (!link.GetCapacity(drive_, totalBytes_, freeBytes)) totalBytes_ = 0;
  fileCount_ = static_cast<int>(link.GetFileCount(drive_).value_or(0));
  mode_ = memoryListMode(listed, flags_);
  header_->setText(QString::fromStdString(memoryHeaderText(
      {mode_ == MemoryListMode::Writable, flags_, title_.toStdString(), totalBytes_})));
  list_->setVisible(mode_ != MemoryListMode::Hidden);
  list_->setEnabled(mode_ != MemoryListMode::Hidden);
  list_->setAcceptDrops(mode_ == MemoryListMode::Writable);
  list_->viewport()->setAcceptDrops(mode_ == MemoryListMode::Writable);
  list_->setEditTriggers(mode_ == MemoryListMode::Writable ? QAbstractItemView::EditKeyPressed
                                                           : QAbstractItemView::NoEditTriggers);
  list_->viewport()->setBackgroundRole(mode_ == MemoryListMode::Writable ? QPalette::Base
                                                                         : QPalette::Button);
  if (mode_ == MemoryListMode::Hidden) entries_ = TransferList{};
  fillList();
}

void MemoryView::fillList() {
  const std::vector<EntryRef> selected = selection();
  const QMimeDatabase mimes;
  QHash<QString, std::pair<QString, QIcon>> kinds;
  struct Row {
    QString texts[4];
    QByteArray utf8[4];
    QIcon icon;
    const TransferItem* item;
  };
  std::vector<Row> rows;
  rows.reserve(entries_.size());
  for (const TransferItem& item : entries_.items()) {
    Row row;
    row.item = &item;
    row.texts[0] = QString::fromStdString(item.text);
    row.texts[1] = QString::number(item.index);
    row.texts[2] = QString::fromStdString(memorySizeText(item.size));
    // Type name and icon depend on the extension only: looked up once per extension.
    const QString extension = QString::fromStdString(std::string(extensionOf(item.text))).toLower();
    auto known = kinds.find(extension);
    if (known == kinds.end()) {
      const QMimeType type = mimes.mimeTypeForFile(row.texts[0], QMimeDatabase::MatchExtension);
      known = kinds.insert(extension, {type.comment(), iconForName(row.texts[0], type)});
    }
    row.texts[3] = known->first;
    row.icon = known->second;
    for (int c = 0; c < 4; ++c) row.utf8[c] = row.texts[c].toUtf8();
    rows.push_back(std::move(row));
  }
  auto keyOf = [](const Row& row) {
    MemorySortItem key;
    key.index = row.item->index;
    key.size = row.item->size;
    for (int c = 0; c < 4; ++c)
      key.texts[c] =
          std::string_view(row.utf8[c].constData(), static_cast<size_t>(row.utf8[c].size()));
    return key;
  };
  std::stable_sort(rows.begin(), rows.end(), [&](const Row& a, const Row& b) {
    return compareMemoryItems(keyOf(a), keyOf(b), sort_) < 0;
  });
  filling_ = true;
  list_->clear();
  QList<QTreeWidgetItem*> items;
  items.reserve(static_cast<qsizetype>(rows.size()));
  for (const Row& row : rows) {
    auto* item = new QTreeWidgetItem;
    for (int c = 0; c < 4; ++c) item->setText(c, row.texts[c]);
    item->setIcon(0, row.icon);
    item->setTextAlignment(2, Qt::AlignRight | Qt::AlignVCenter);
    item->setTextAlignment(3, Qt::AlignRight | Qt::AlignVCenter);
    item->setData(0, kIndexRole, row.item->index);
    item->setData(0, kSizeRole, row.item->size);
    item->setData(0, kNameRole, row.texts[0]);
    if (mode_ == MemoryListMode::Writable) item->setFlags(item->flags() | Qt::ItemIsEditable);
    items.push_back(item);
  }
  list_->addTopLevelItems(items);
  filling_ = false;
  list_->header()->setSortIndicator(sort_.key,
                                    sort_.ascending ? Qt::AscendingOrder : Qt::DescendingOrder);
  std::vector<int> indices;
  for (const EntryRef& ref : selected) indices.push_back(ref.index);
  selectIndices(indices);
}

void MemoryView::headerClicked(int column) {
  sort_.clicked(column);
  storeSort(services_.settings, memoryViewSection(drive_), sort_);
  fillList();
}

std::vector<EntryRef> MemoryView::selection() const {
  std::vector<EntryRef> refs;
  for (int row = 0; row < list_->topLevelItemCount(); ++row) {
    const QTreeWidgetItem* item = list_->topLevelItem(row);
    if (item->isSelected())
      refs.push_back(EntryRef{item->data(0, kIndexRole).toInt(),
                              item->data(0, kNameRole).toString().toStdString()});
  }
  return refs;
}

void MemoryView::selectIndices(const std::vector<int>& indices) {
  for (int row = 0; row < list_->topLevelItemCount(); ++row) {
    QTreeWidgetItem* item = list_->topLevelItem(row);
    const int index = item->data(0, kIndexRole).toInt();
    item->setSelected(std::find(indices.begin(), indices.end(), index) != indices.end());
  }
}

bool MemoryView::commandEnabled(int commandId) const {
  if (services_.worker.busy()) return false;
  const bool present = (flags_ & kMediumPresent) != 0;
  const size_t selected = selection().size();
  switch (commandId) {
    case command::kDelete:
    case command::kUp:
    case command::kDown:
      return writable() && selected > 0;
    case command::kRename:
      return writable() && selected == 1;
    case command::kFormat:
    case command::kLowLevelFormat:
      return present;
    case command::kDownloadRawData:
      return writable();
    case command::kRefresh:
      return true;
    case command::kDiskProperties:
      return services_.link.hasHandle();
    default:
      return false;
  }
}

void MemoryView::runCommand(int commandId) {
  if (!commandEnabled(commandId)) return;
  DeviceLink& link = services_.link;
  switch (commandId) {
    case command::kDelete:
      deleteSelected();
      break;
    case command::kUp:
    case command::kDown: {
      const auto moved = commandId == command::kUp ? link.MoveUp(drive_, selection())
                                                   : link.MoveDown(drive_, selection());
      reload(false);
      selectIndices(moved);
      break;
    }
    case command::kRefresh:
      reload(true);
      break;
    case command::kFormat:
    case command::kLowLevelFormat: {
      const bool lowLevel = commandId == command::kLowLevelFormat;
      if (!link.confirmFormat(lowLevel)) break;
      void* owner = this->owner();
      services_.worker.start(
          [&link, owner, lowLevel, drive = drive_] {
            return lowLevel ? link.LowLevelFormatDrive(owner, drive)
                            : link.FormatDrive(owner, drive);
          },
          [this](DeviceCode) { reload(false); });
      break;
    }
    case command::kRename:
      startRename();
      break;
    case command::kDownloadRawData: {
      void* owner = this->owner();
      services_.worker.start(
          [&link, owner, drive = drive_] { return link.ReadRawData(owner, drive); });
      break;
    }
    case command::kDiskProperties:
      services_.handler.showMediumInformation(drive_, window());
      break;
    default:
      break;
  }
}

std::unique_ptr<QMenu> MemoryView::contextMenu() {
  auto menu = std::make_unique<QMenu>(this);
  for (const ContextCommand& entry : kContextCommands) {
    QAction* action = menu->addAction(QString::fromUtf8(entry.text));
    action->setData(entry.id);
    action->setEnabled(commandEnabled(entry.id));
    const int id = entry.id;
    connect(action, &QAction::triggered, this, [this, id] { runCommand(id); });
  }
  return menu;
}

void MemoryView::showContextMenu(const QPoint& at) {
  contextMenu()->exec(list_->viewport()->mapToGlobal(at));
}

void MemoryView::deleteSelected() {
  const std::vector<EntryRef> selected = selection();
  if (selected.empty() || !writable() || services_.worker.busy()) return;
  if (!services_.link.confirmDelete(selected)) return;
  services_.link.DeleteEntries(owner(), drive_, selected);
  reload(false);
}

void MemoryView::startRename() {
  if (!writable() || services_.worker.busy()) return;
  QTreeWidgetItem* item = list_->currentItem();
  if (item == nullptr || !item->isSelected()) {
    const auto items = list_->selectedItems();
    if (items.isEmpty()) return;
    item = items.front();
  }
  list_->editItem(item, 0);
}

void MemoryView::renameItem(QTreeWidgetItem* item) {
  const QString oldName = item->data(0, kNameRole).toString();
  const QString newName = item->text(0);
  if (newName.isEmpty() || newName == oldName || !writable() || services_.worker.busy()) {
    filling_ = true;
    item->setText(0, oldName);
    filling_ = false;
    return;
  }
  const EntryRef entry{item->data(0, kIndexRole).toInt(), oldName.toStdString()};
  // The list is rebuilt after the rename, so the item is not touched again.
  QMetaObject::invokeMethod(
      this,
      [this, entry, name = newName.toStdString()] {
        services_.link.RenameEntry(drive_, entry, name);
        reload(false);
        selectIndices({entry.index});
      },
      Qt::QueuedConnection);
}

std::unique_ptr<QMimeData> MemoryView::dragData() const {
  PlayerEntries entries;
  entries.drive = drive_;
  for (int row = 0; row < list_->topLevelItemCount(); ++row) {
    const QTreeWidgetItem* item = list_->topLevelItem(row);
    if (item->isSelected())
      entries.entries.add(TransferItem{item->data(0, kNameRole).toString().toStdString(),
                                       item->data(0, kIndexRole).toInt(),
                                       item->data(0, kSizeRole).toUInt(),
                                       {}});
  }
  if (entries.entries.empty()) return nullptr;
  return mimeForPlayerEntries(entries);
}

bool MemoryView::acceptsDrop(const QMimeData& mime) const {
  return writable() && !services_.worker.busy() && mime.hasUrls() &&
         !playerEntriesOf(mime).has_value();
}

bool MemoryView::dropData(const QMimeData& mime) {
  if (!acceptsDrop(mime)) return false;
  TransferList files = pcFilesOf(mime);
  if (files.empty()) return false;
  DeviceLink& link = services_.link;
  void* owner = this->owner();
  auto shared = std::make_shared<TransferList>(std::move(files));
  return services_.worker.start(
      [&link, owner, drive = drive_, shared] { return link.DownloadFiles(owner, drive, *shared); },
      [this, shared](DeviceCode) {
        reload(false);
        for (int row = 0; row < list_->topLevelItemCount(); ++row) {
          QTreeWidgetItem* item = list_->topLevelItem(row);
          item->setSelected(shared->ContainsFileName(item->text(0).toStdString()));
        }
        list_->setFocus();
        emit transferred();
      });
}

void MemoryView::saveSettings() {
  storeColumnWidths(services_.settings, memoryViewSection(drive_), *list_);
}

}  // namespace norva::device
