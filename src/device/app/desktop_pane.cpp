#include "device/app/desktop_pane.h"

#include <QComboBox>
#include <QDateTime>
#include <QDir>
#include <QDragEnterEvent>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLocale>
#include <QMenu>
#include <QMimeDatabase>
#include <QStandardItemModel>
#include <QStandardPaths>
#include <QStorageInfo>
#include <QToolButton>
#include <QTreeView>
#include <QUrl>
#include <QVBoxLayout>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "device/app/file_kind_icons.h"
#include "device/app/list_settings.h"
#include "device/app/trelliq_commands.h"
#include "device/device_messages.h"

namespace norva::device {
namespace {

const QString kDesktopSection = QStringLiteral("Desktop");
constexpr int kPathRole = Qt::UserRole + 1;
constexpr int kEntryRole = Qt::UserRole + 2;
constexpr int kParentButtonWidth = 28;
constexpr int kParentButtonHeight = 24;

// Folders as the desktop draws them; files by their type's themed icon, else our own icon for
// their kind (songs, lyrics, other).
QIcon iconFor(const QFileInfo& info, const QMimeDatabase& mimes) {
  if (info.isDir()) {
    static const QFileIconProvider provider;
    const QIcon icon = provider.icon(info);
    return icon.isNull() ? fileKindIcon(FileKind::Folder) : icon;
  }
  return QIcon::fromTheme(mimes.mimeTypeForFile(info, QMimeDatabase::MatchExtension).iconName(),
                          fileKindIcon(fileKindOf(info.fileName(), false)));
}

// Mount points worth showing: real file systems, not the kernel's own.
QStringList mountedDrives() {
  QStringList roots;
  for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
    if (!volume.isValid() || !volume.isReady()) continue;
    const QString root = volume.rootPath();
    if (root == QLatin1String("/")) continue;
    const QByteArray type = volume.fileSystemType();
    if (type == "tmpfs" || type == "devtmpfs" || type == "proc" || type == "sysfs" ||
        type == "overlay" || root.startsWith(QLatin1String("/proc")) ||
        root.startsWith(QLatin1String("/sys")) || root.startsWith(QLatin1String("/dev")) ||
        root.startsWith(QLatin1String("/run")))
      continue;
    roots.push_back(root);
  }
  roots.sort();
  return roots;
}

QStandardItem* locationItem(const QString& name, const QString& path, const QIcon& icon) {
  auto* item = new QStandardItem(icon, name);
  item->setData(path, kPathRole);
  item->setEditable(false);
  return item;
}

QStandardItem* childWithPath(QStandardItem& parent, const QString& path) {
  for (int row = 0; row < parent.rowCount(); ++row)
    if (parent.child(row)->data(kPathRole).toString() == path) return parent.child(row);
  return nullptr;
}

}  // namespace

DesktopPane::DesktopPane(ExplorerServices& services, QWidget* parent)
    : QWidget(parent), services_(services) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(2);
  auto* top = new QHBoxLayout;
  parentButton_ = new QToolButton(this);
  parentButton_->setIcon(parentFolderIcon());
  parentButton_->setFixedSize(kParentButtonWidth, kParentButtonHeight);
  parentButton_->setAutoRaise(true);
  connect(parentButton_, &QToolButton::clicked, this, &DesktopPane::goToParent);
  location_ = new QComboBox(this);
  locationModel_ = new QStandardItemModel(this);
  locationTree_ = new QTreeView(location_);
  locationTree_->setHeaderHidden(true);
  locationTree_->setItemsExpandable(true);
  location_->setModel(locationModel_);
  location_->setView(locationTree_);
  location_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
  connect(locationTree_, &QTreeView::pressed, this, [this](const QModelIndex& index) {
    const QString path = index.data(kPathRole).toString();
    location_->hidePopup();
    if (!path.isEmpty()) setFolder(path);
  });
  top->addWidget(parentButton_);
  top->addWidget(location_);
  layout->addLayout(top);

  PaneList::Hooks hooks;
  hooks.dragTypes = {QStringLiteral("text/uri-list")};
  hooks.dragData = [this] { return dragData(); };
  hooks.accepts = [](const QMimeData& mime) { return playerEntriesOf(mime).has_value(); };
  hooks.drop = [this](const QMimeData& mime) { return dropData(mime); };
  hooks.key = [this](const QKeyEvent& event) {
    if (event.key() == Qt::Key_Delete && event.modifiers() == Qt::NoModifier) {
      deleteSelected();
      return true;
    }
    if (event.key() == Qt::Key_Backspace) {
      goToParent();
      return true;
    }
    return false;
  };
  list_ = new PaneList(this, std::move(hooks));
  list_->setHeaderLabels({QString::fromUtf8(kColumnName), QString::fromUtf8(kColumnSize),
                          QString::fromUtf8(kColumnType), QString::fromUtf8(kColumnModified)});
  list_->header()->setStretchLastSection(false);
  list_->header()->setSectionsClickable(true);
  list_->header()->setSortIndicatorShown(true);
  list_->setContextMenuPolicy(Qt::CustomContextMenu);
  layout->addWidget(list_);
  connect(list_->header(), &QHeaderView::sectionClicked, this, &DesktopPane::headerClicked);
  connect(list_, &QTreeWidget::itemDoubleClicked, this,
          [this](QTreeWidgetItem* item) { openItem(item); });
  connect(list_, &QTreeWidget::itemSelectionChanged, this, &DesktopPane::selectionChanged);
  connect(list_, &QWidget::customContextMenuRequested, this, &DesktopPane::showContextMenu);

  loadColumnWidths(services_.settings, kDesktopSection, *list_);
  sort_ = loadSort(services_.settings, kDesktopSection);
  buildLocationTree();
  const QString last = QString::fromStdString(services_.settings.text(kLastDirectoryKey));
  if (last.isEmpty() || !setFolder(last)) setFolder(QDir::currentPath());
}

DesktopPane::~DesktopPane() = default;

void DesktopPane::buildLocationTree() {
  locationModel_->clear();
  const QIcon folderIcon = fileKindIcon(FileKind::Folder);
  QStandardItem* home =
      locationItem(QString::fromUtf8(kHomeFolderName), QDir::homePath(), folderIcon);
  // The user's own folders (desktop, music, documents, downloads) under the home folder.
  for (const auto kind : {QStandardPaths::DesktopLocation, QStandardPaths::MusicLocation,
                          QStandardPaths::DocumentsLocation, QStandardPaths::DownloadLocation}) {
    const QString path = QStandardPaths::writableLocation(kind);
    if (path.isEmpty() || path == QDir::homePath() || !QFileInfo(path).isDir() ||
        childWithPath(*home, path) != nullptr)
      continue;
    home->appendRow(locationItem(QFileInfo(path).fileName(), path, folderIcon));
  }
  locationModel_->appendRow(home);
  locationModel_->appendRow(
      locationItem(QString::fromUtf8(kFileSystemRootName), QStringLiteral("/"), folderIcon));
  for (const QString& root : mountedDrives())
    locationModel_->appendRow(locationItem(root, root, folderIcon));
}

void DesktopPane::showLocation(const QString& path) {
  // The deepest top item that holds the path, then one item per folder below it.
  QStandardItem* best = nullptr;
  QString bestPath;
  for (int row = 0; row < locationModel_->rowCount(); ++row) {
    QStandardItem* item = locationModel_->item(row);
    const QString root = item->data(kPathRole).toString();
    const QString prefix = root.endsWith('/') ? root : root + '/';
    if ((path == root || path.startsWith(prefix)) && root.size() > bestPath.size()) {
      best = item;
      bestPath = root;
    }
  }
  if (best == nullptr) return;
  QStandardItem* at = best;
  QString walked = bestPath;
  const QStringList parts = path.mid(bestPath.size()).split('/', Qt::SkipEmptyParts);
  for (const QString& part : parts) {
    walked = walked.endsWith('/') ? walked + part : walked + '/' + part;
    QStandardItem* child = childWithPath(*at, walked);
    if (child == nullptr) {
      child = locationItem(part, walked, fileKindIcon(FileKind::Folder));
      at->appendRow(child);
    }
    at = child;
  }
  const QModelIndex index = at->index();
  location_->setRootModelIndex(index.parent());
  location_->setCurrentIndex(index.row());
  location_->setRootModelIndex(QModelIndex());
  locationTree_->expand(index.parent());
  location_->setToolTip(path);
}

bool DesktopPane::setFolder(const QString& path) {
  const QFileInfo info(path);
  if (!info.isDir() || !info.isReadable()) return false;
  folder_ = QDir::cleanPath(info.absoluteFilePath());
  showLocation(folder_);
  reload();
  return true;
}

void DesktopPane::goToParent() {
  QDir dir(folder_);
  if (dir.cdUp()) setFolder(dir.absolutePath());
}

void DesktopPane::setFilter(const QString& pattern) {
  filter_ = pattern;
  reload();
}

void DesktopPane::reload() {
  QGuiApplication::setOverrideCursor(Qt::WaitCursor);
  entries_.clear();
  const QDir dir(folder_);
  const QLocale locale;
  const QMimeDatabase mimes;
  auto add = [&](const QFileInfo& info) {
    if (info.fileName().startsWith('.')) return;
    Entry entry;
    entry.name = info.fileName();
    entry.path = info.absoluteFilePath();
    entry.folder = info.isDir();
    entry.size = entry.folder ? 0 : static_cast<uint64_t>(info.size());
    const QDateTime modified = info.lastModified();  // local time
    entry.modified = modified.toSecsSinceEpoch();
    entry.texts[0] = entry.name;
    if (!entry.folder)
      entry.texts[1] =
          QString::fromStdString(desktopSizeText(entry.size, entry.name.toStdString()));
    entry.texts[2] = entry.folder
                         ? mimes.mimeTypeForName(QStringLiteral("inode/directory")).comment()
                         : mimes.mimeTypeForFile(info).comment();
    entry.texts[3] = locale.toString(modified.date(), QLocale::ShortFormat) + ' ' +
                     modified.time().toString(QStringLiteral("HH:mm"));
    entries_.push_back(std::move(entry));
  };
  const auto hidden = QDir::Hidden | QDir::System;
  for (const QFileInfo& info : dir.entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot | hidden))
    add(info);
  for (const QFileInfo& info : dir.entryInfoList({filter_}, QDir::Files | hidden)) add(info);
  fillList();
  QGuiApplication::restoreOverrideCursor();
}

void DesktopPane::fillList() {
  const QStringList selected = selectedPaths();
  std::vector<QByteArray> utf8(entries_.size() * 4);
  std::vector<DesktopSortItem> keys(entries_.size());
  for (size_t i = 0; i < entries_.size(); ++i) {
    keys[i].folder = entries_[i].folder;
    keys[i].size = entries_[i].size;
    keys[i].modified = entries_[i].modified;
    for (size_t c = 0; c < 4; ++c) {
      utf8[i * 4 + c] = entries_[i].texts[c].toUtf8();
      keys[i].texts[c] = std::string_view(utf8[i * 4 + c].constData(),
                                          static_cast<size_t>(utf8[i * 4 + c].size()));
    }
  }
  const QMimeDatabase mimes;
  std::vector<size_t> order(entries_.size());
  for (size_t i = 0; i < order.size(); ++i) order[i] = i;
  std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
    return compareDesktopItems(keys[a], keys[b], sort_) < 0;
  });
  list_->clear();
  QList<QTreeWidgetItem*> items;
  for (const size_t i : order) {
    const Entry& entry = entries_[i];
    auto* item = new QTreeWidgetItem;
    for (int c = 0; c < 4; ++c) item->setText(c, entry.texts[c]);
    item->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
    item->setIcon(0, iconFor(QFileInfo(entry.path), mimes));
    item->setData(0, kPathRole, entry.path);
    item->setData(0, kEntryRole, entry.folder);
    items.push_back(item);
  }
  list_->addTopLevelItems(items);
  for (QTreeWidgetItem* item : items)
    if (selected.contains(item->data(0, kPathRole).toString())) item->setSelected(true);
  list_->header()->setSortIndicator(sort_.key,
                                    sort_.ascending ? Qt::AscendingOrder : Qt::DescendingOrder);
}

void DesktopPane::headerClicked(int column) {
  sort_.clicked(column);
  storeSort(services_.settings, kDesktopSection, sort_);
  fillList();
}

QStringList DesktopPane::selectedPaths() const {
  QStringList paths;
  for (int row = 0; row < list_->topLevelItemCount(); ++row) {
    const QTreeWidgetItem* item = list_->topLevelItem(row);
    if (item->isSelected()) paths.push_back(item->data(0, kPathRole).toString());
  }
  return paths;
}

bool DesktopPane::canPlayAudio() const {
  const QStringList paths = selectedPaths();
  return !paths.isEmpty() && isPlayableAudio(paths.front().toStdString());
}

void DesktopPane::playAudio() {
  if (!canPlayAudio()) return;
  const QString path = selectedPaths().front();
  if (!services_.preview) {
    tell(services_.prompter, kPreviewNotAvailable, "", MessageIcon::Information);
    return;
  }
  services_.preview(window(), path, isMp3Name(path.toStdString()));
}

void DesktopPane::deleteSelected() {
  std::vector<EntryRef> selection;
  for (int row = 0; row < list_->topLevelItemCount(); ++row) {
    const QTreeWidgetItem* item = list_->topLevelItem(row);
    if (!item->isSelected()) continue;
    const QString path = item->data(0, kPathRole).toString();
    // Folders are never deleted here, and never recursively: refuse before anything goes.
    if (item->data(0, kEntryRole).toBool()) {
      tell(services_.prompter, (path + '\n' + QString::fromUtf8(kCannotDeleteFolder)).toStdString(),
           "", MessageIcon::Warning);
      return;
    }
    selection.push_back(EntryRef{-1, item->text(0).toStdString()});
  }
  if (selection.empty() || !services_.link.confirmDelete(selection)) return;
  for (const QString& path : selectedPaths()) {
    if (std::remove(QFile::encodeName(path).constData()) != 0) {
      tell(services_.prompter, std::strerror(errno), "", MessageIcon::Error);
      break;
    }
  }
  reload();
}

void DesktopPane::openItem(QTreeWidgetItem* item) {
  if (item == nullptr) return;
  const QString path = item->data(0, kPathRole).toString();
  if (item->data(0, kEntryRole).toBool()) {
    if (!setFolder(path)) tell(services_.prompter, std::strerror(EACCES), "", MessageIcon::Error);
    return;
  }
  if (services_.openUrl) services_.openUrl(QUrl::fromLocalFile(path));
}

std::unique_ptr<QMimeData> DesktopPane::dragData() const {
  const QStringList paths = selectedPaths();
  if (paths.isEmpty()) return nullptr;
  return mimeForPcFiles(paths);
}

bool DesktopPane::dropData(const QMimeData& mime) {
  auto entries = playerEntriesOf(mime);
  if (!entries || entries->entries.empty()) return false;
  emit uploadRequested(*entries, folder_);
  return true;
}

void DesktopPane::saveSettings() {
  storeColumnWidths(services_.settings, kDesktopSection, *list_);
  services_.settings.setText(kLastDirectoryKey, folder_.toStdString());
}

void DesktopPane::showContextMenu(const QPoint& at) {
  QMenu menu(this);
  QAction* remove = menu.addAction(QString::fromUtf8(kDeleteFileMenu));
  remove->setData(command::kDelete);
  remove->setEnabled(!selectedPaths().isEmpty());
  QAction* play = menu.addAction(QString::fromUtf8(kAudioPlayMenu));
  play->setData(command::kDesktopAudioPlay);
  play->setEnabled(canPlayAudio());
  QAction* chosen = menu.exec(list_->viewport()->mapToGlobal(at));
  if (chosen == remove) deleteSelected();
  if (chosen == play) playAudio();
}

}  // namespace norva::device
