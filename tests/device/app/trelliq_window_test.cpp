// The explorer window over the simulated player: sorting and its stored settings, transfers by
// drag and drop both ways, delete and rename, the audio play command, the filter, the memory
// views' headers, and a device change while an operation runs.
#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QStatusBar>
#include <QToolButton>
#include <QUrl>

#include "device/app/transfer_mime.h"
#include "device/app/trelliq_commands.h"
#include "device/device_messages.h"
#include "trelliq_fixture.h"

namespace norva::device {
namespace {

QAction* menuAction(QMenu& menu, int id) {
  for (QAction* action : menu.actions())
    if (action->data().toInt() == id) return action;
  return nullptr;
}

struct SortRow {
  std::vector<int> clicks;
  QStringList order;
  int storedKey;
  int storedAscending;
};

TEST_F(TrelliqTest, DesktopListSortsByEachColumnAndKeepsTheSetting) {
  std::filesystem::create_directories(pcFolder() / "sub");
  writePcFile("a.mp3", 5000, 1700000300);
  writePcFile("b.txt", 3000, 1700000100);
  writePcFile("c.png", 1000, 1700000200);
  const SortRow rows[] = {
      // The first click on the current column after a fresh start sorts descending; a folder
      // goes before a file, and descending reverses that too.
      {{0}, {"c.png", "b.txt", "a.mp3", "sub"}, 0, 0},
      {{1}, {"sub", "c.png", "b.txt", "a.mp3"}, 1, 1},
      {{1, 1}, {"a.mp3", "b.txt", "c.png", "sub"}, 1, 0},
      {{2}, {"sub", "a.mp3", "c.png", "b.txt"}, 2, 1},  // "MP3 audio" < "PNG image" < "plain..."
      {{3}, {"sub", "b.txt", "c.png", "a.mp3"}, 3, 1},
      {{3, 0}, {"sub", "a.mp3", "b.txt", "c.png"}, 0, 1},
  };
  for (const SortRow& row : rows) {
    SCOPED_TRACE(row.order.join(',').toStdString());
    settings = std::make_unique<DeviceSettings>(
        (dir.path() / ("s" + std::to_string(&row - rows) + ".ini")).string());
    settings->setText(SettingKey{"Desktop", "LastDirectory"}, pcFolder().string());
    DeviceLink localLink(prompter, *settings);
    ExplorerServices local{localLink, *settings, prompter, worker, handler, {}, {}};
    {
      DesktopPane pane(local);
      for (int column : row.clicks) pane.headerClicked(column);
      EXPECT_EQ(names(pane.list()), row.order);
      EXPECT_EQ(settings->integer({"Desktop", "SortKey"}, -1), row.storedKey);
      EXPECT_EQ(settings->integer({"Desktop", "SortAscendent"}, -1), row.storedAscending);
    }
    DesktopPane again(local);  // a new start reads the stored key and direction
    EXPECT_EQ(names(again.list()), row.order);
  }
}

TEST_F(TrelliqTest, MemoryViewSortsByEachColumnAndKeepsTheSettingPerDrive) {
  open();
  putOnPlayer(0, {{"b.mp3", 3000}, {"a.mp3", 5000}, {"c.mp3", 1000}});
  const SortRow rows[] = {
      {{}, {"a.mp3", "b.mp3", "c.mp3"}, -1, -1},
      {{0}, {"c.mp3", "b.mp3", "a.mp3"}, 0, 0},
      {{0, 1}, {"b.mp3", "a.mp3", "c.mp3"}, 1, 1},
      {{0, 1, 1}, {"c.mp3", "a.mp3", "b.mp3"}, 1, 0},
      {{0, 1, 1, 2}, {"c.mp3", "b.mp3", "a.mp3"}, 2, 1},
  };
  for (const SortRow& row : rows) {
    SCOPED_TRACE(row.order.join(',').toStdString());
    window.reset();
    link->Close();  // a fresh start connects again
    settings->setInteger({"Mp3Mem_0", "SortKey"}, 0);
    settings->setInteger({"Mp3Mem_0", "SortAscendent"}, 1);
    window = std::make_unique<TrelliqWindow>(*services);
    MemoryView& view = *window->memoryView(0);
    for (int column : row.clicks) view.headerClicked(column);
    EXPECT_EQ(names(view.list()), row.order);
    if (row.storedKey >= 0) {
      EXPECT_EQ(settings->integer({"Mp3Mem_0", "SortKey"}, -1), row.storedKey);
      EXPECT_EQ(settings->integer({"Mp3Mem_0", "SortAscendent"}, -1), row.storedAscending);
      EXPECT_EQ(settings->integer({"Mp3Mem_1", "SortKey"}, -1), -1);  // drive 1 untouched
    }
  }
}

TEST_F(TrelliqTest, DragFromTheDesktopDownloadsAndTheViewShowsTheNewFilesSelected) {
  open();
  putOnPlayer(0, {{"old.mp3", 100}});
  writePcFile("one.mp3", 20000);
  writePcFile("two.mpr", 30000);
  window->desktop().reload();
  select(window->desktop().list(), {"one.mp3", "two.mpr"});
  const auto mime = window->desktop().dragData();
  ASSERT_NE(mime, nullptr);
  QSignalSpy finished(&worker, &DeviceWorker::finished);
  QStringList statusTexts;
  QObject::connect(window->statusBar(), &QStatusBar::messageChanged,
                   [&](const QString& text) { statusTexts << text; });
  MemoryView& view = *window->memoryView(0);
  ASSERT_TRUE(view.dropData(*mime));
  EXPECT_FALSE(window->action(command::kRefresh)->isEnabled());  // the worker has the link
  waitForWorker(finished);
  EXPECT_EQ(finished.front().front().toUInt(), 0u);
  EXPECT_EQ(names(view.list()), (QStringList{"old.mp3", "one.mp3", "two.mpr"}));
  EXPECT_EQ(selectedNames(view.list()), (QStringList{"one.mp3", "two.mpr"}));
  EXPECT_EQ(view.list().topLevelItem(2)->text(2), "30KB");
  EXPECT_TRUE(window->action(command::kRefresh)->isEnabled());
  EXPECT_TRUE(shown.messages.empty());
  EXPECT_TRUE(statusTexts.contains("正在传输… one.mp3 (1/2)"))
      << statusTexts.join('|').toStdString();
  EXPECT_TRUE(statusTexts.contains("正在传输… two.mpr (2/2)"));
  EXPECT_TRUE(window->statusMessage().isEmpty());
}

TEST_F(TrelliqTest, DragFromAMemoryViewUploadsIntoTheDesktopFolder) {
  open();
  putOnPlayer(1, {{"song.mp3", 4000}, {"other.mp3", 10}});
  MemoryView& card = *window->memoryView(1);
  card.reload(false);
  select(card.list(), {"song.mp3"});
  const auto mime = card.dragData();
  ASSERT_NE(mime, nullptr);
  QSignalSpy finished(&worker, &DeviceWorker::finished);
  ASSERT_TRUE(window->desktop().dropData(*mime));
  waitForWorker(finished);
  const auto target = pcFolder() / "song.mp3";
  ASSERT_TRUE(std::filesystem::exists(target));
  EXPECT_EQ(std::filesystem::file_size(target), 4000u);
  EXPECT_FALSE(std::filesystem::exists(pcFolder() / "other.mp3"));
  EXPECT_TRUE(names(window->desktop().list()).contains("song.mp3"));
}

TEST_F(TrelliqTest, SeveralFilesDroppedFromTheFileManagerAllReachThePlayer) {
  open();
  const auto elsewhere = dir.path() / "elsewhere";
  std::filesystem::create_directories(elsewhere);
  QList<QUrl> urls;
  for (const char* name : {"x.mp3", "y.mp3", "z.mpr"}) {
    std::ofstream(elsewhere / name) << name;
    urls << QUrl::fromLocalFile(QString::fromStdString((elsewhere / name).string()));
  }
  QMimeData mime;
  mime.setUrls(urls);  // text/uri-list, as a file manager sends it
  QSignalSpy finished(&worker, &DeviceWorker::finished);
  ASSERT_TRUE(window->memoryView(1)->dropData(mime));
  waitForWorker(finished);
  EXPECT_EQ(names(window->memoryView(1)->list()), (QStringList{"x.mp3", "y.mp3", "z.mpr"}));
  EXPECT_TRUE(names(window->memoryView(0)->list()).isEmpty());
}

TEST_F(TrelliqTest, DeleteAndRenameThroughTheContextMenu) {
  open();
  putOnPlayer(0, {{"a.mp3", 10}, {"b.mp3", 10}, {"c.mp3", 10}});
  MemoryView& view = *window->memoryView(0);
  view.reload(false);
  select(view.list(), {"b.mp3"});
  shown.steps.push_back([](const Message&) { return Answer::Yes; });
  auto menu = view.contextMenu();
  QAction* remove = menuAction(*menu, command::kDelete);
  ASSERT_NE(remove, nullptr);
  ASSERT_TRUE(remove->isEnabled());
  remove->trigger();
  ASSERT_EQ(shown.messages.size(), 1u);
  EXPECT_EQ(shown.messages[0], (Message{"是否删除b.mp3 ?", "Confirm file deleting",
                                        MessageIcon::Information, MessageButtons::YesNo}));
  EXPECT_EQ(names(view.list()), (QStringList{"a.mp3", "c.mp3"}));

  select(view.list(), {"c.mp3"});
  view.list().setCurrentItem(view.list().topLevelItem(1));
  menu = view.contextMenu();
  QAction* rename = menuAction(*menu, command::kRename);
  ASSERT_TRUE(rename->isEnabled());
  rename->trigger();
  EXPECT_NE(view.list().findChild<QLineEdit*>(), nullptr);              // the label edit is open
  view.list().topLevelItem(1)->setText(0, QStringLiteral("新歌.mp3"));  // the edit ends
  QCoreApplication::processEvents();
  EXPECT_EQ(names(view.list()), (QStringList{"a.mp3", "新歌.mp3"}));
  TransferList onPlayer;
  ASSERT_TRUE(link->ListDrive(0, onPlayer, true));
  EXPECT_EQ(onPlayer.items().at(1).text, "新歌.mp3");
}

TEST_F(TrelliqTest, ContextMenuAvailabilityFollowsTheDrive) {
  open();
  MemoryView& view = *window->memoryView(0);
  auto menu = view.contextMenu();
  // A writable, formatted drive without a selection.
  EXPECT_FALSE(menuAction(*menu, command::kDelete)->isEnabled());
  EXPECT_FALSE(menuAction(*menu, command::kRename)->isEnabled());
  EXPECT_TRUE(menuAction(*menu, command::kFormat)->isEnabled());
  EXPECT_TRUE(menuAction(*menu, command::kLowLevelFormat)->isEnabled());
  EXPECT_TRUE(menuAction(*menu, command::kDownloadRawData)->isEnabled());
  menuAction(*menu, command::kDiskProperties)->trigger();
  EXPECT_EQ(handler.mediumDrives, (std::vector<int>{0}));
}

TEST_F(TrelliqTest, DeletingASelectedFolderIsRefusedAndNothingIsDeleted) {
  open();
  std::filesystem::create_directories(pcFolder() / "keep");
  std::ofstream(pcFolder() / "keep" / "inside.mp3") << "x";
  writePcFile("file.mp3", 10);
  window->desktop().reload();
  select(window->desktop().list(), {"keep", "file.mp3"});
  window->desktop().deleteSelected();
  ASSERT_EQ(shown.messages.size(), 1u);
  EXPECT_EQ(shown.messages[0].text, (pcFolder() / "keep").string() + "\n" + kCannotDeleteFolder);
  EXPECT_TRUE(std::filesystem::exists(pcFolder() / "keep" / "inside.mp3"));
  EXPECT_TRUE(std::filesystem::exists(pcFolder() / "file.mp3"));

  select(window->desktop().list(), {"file.mp3"});
  shown.steps.push_back([](const Message&) { return Answer::Yes; });
  window->desktop().deleteSelected();
  EXPECT_FALSE(std::filesystem::exists(pcFolder() / "file.mp3"));
  EXPECT_EQ(names(window->desktop().list()), (QStringList{"keep"}));
}

TEST_F(TrelliqTest, AudioPlayIsEnabledOnlyForMp3AndMprFiles) {
  open(false);
  struct Row {
    const char* name;
    bool enabled;
    bool isMp3;
  };
  const Row rows[] = {{"song.MP3", true, true},  {"song.mp3", true, true},
                      {"song.Mpr", true, false}, {"song.mp2", false, false},
                      {"songmp3", false, false}, {"song.mp3.txt", false, false}};
  for (const Row& row : rows) writePcFile(row.name, 10);
  window->desktop().reload();
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    previews.clear();
    select(window->desktop().list(), {row.name});
    window->updateCommands();
    EXPECT_EQ(window->action(command::kToolbarAudioPlay)->isEnabled(), row.enabled);
    window->runCommand(command::kToolbarAudioPlay);
    ASSERT_EQ(previews.size(), row.enabled ? 1u : 0u);
    if (row.enabled) {
      EXPECT_EQ(previews[0].path.toStdString(), (pcFolder() / row.name).string());
      EXPECT_EQ(previews[0].isMp3, row.isMp3);
    }
  }
}

TEST_F(TrelliqTest, TheMprFilterStillListsEverySubfolderAndIsStored) {
  std::filesystem::create_directories(pcFolder() / "albums");
  std::filesystem::create_directories(pcFolder() / "notes.mp3.d");
  writePcFile("a.mpr", 1);
  writePcFile("b.mp3", 1);
  writePcFile(".hidden.mpr", 1);
  open(false);
  QComboBox& filter = window->filterBox();
  ASSERT_EQ(filter.count(), 3);
  EXPECT_EQ(filter.currentIndex(), 2);  // "*.*" at first
  filter.setCurrentIndex(1);
  emit filter.activated(1);
  EXPECT_EQ(names(window->desktop().list()), (QStringList{"albums", "notes.mp3.d", "a.mpr"}));
  EXPECT_EQ(settings->text({"", "FileListFilter"}), "*.mpr");
}

TEST_F(TrelliqTest, TheWindowShowsBothDrivesAndTheStripAsBuilt) {
  open();
  EXPECT_TRUE(window->playerShown());
  EXPECT_EQ(window->memoryView(0)->headerText(), " 存储空间 - 总共32MB");
  EXPECT_EQ(window->memoryView(1)->headerText(), " 扩展存储空间 - 总共16MB");
  QStringList tips;
  for (QToolButton* button : window->stripButtons()) {
    tips << button->toolTip();
    EXPECT_FALSE(button->isEnabled());
  }
  EXPECT_EQ(tips, (QStringList{"Download To Internal Memory", "Upload From Internal Memory",
                               "Download To External Memory", "Upload From External Memory"}));
  EXPECT_EQ(window->action(command::kRefresh)->text(), "刷新\tF5");
  EXPECT_EQ(window->action(command::kRefresh)->shortcut(), QKeySequence(Qt::Key_F5));
  EXPECT_EQ(window->action(command::kRename)->shortcut(), QKeySequence(Qt::Key_F2));
  EXPECT_EQ(window->firmwareStatus(), "Unknown Firmware Version");
}

TEST_F(TrelliqTest, HandlerCommandsGoToTheHandlerAndEndProgramClosesTheWindow) {
  open();
  window->updateCommands();
  ASSERT_TRUE(window->action(command::kFirmwareUpgrade)->isEnabled());
  EXPECT_FALSE(window->action(command::kInstallDriver)->isEnabled());  // not handled
  handler.outcome = DeviceCommandOutcome::EndProgram;
  window->runCommand(command::kFirmwareUpgrade);
  EXPECT_EQ(handler.ran, (std::vector<int>{command::kFirmwareUpgrade}));
  EXPECT_FALSE(window->isVisible());
}

TEST_F(TrelliqTest, UnpluggingDuringAnUploadEndsItAndThenShowsTheNotice) {
  open();
  putOnPlayer(0, {{"song.mp3", 50000}});
  writePcFile("song.mp3", 1);  // the upload asks whether to overwrite it
  MemoryView& view = *window->memoryView(0);
  view.reload(false);
  select(view.list(), {"song.mp3"});
  // While the question waits, the cable is pulled and the device change arrives.
  shown.steps.push_back([this](const Message& message) {
    EXPECT_EQ(message.text, kOverwriteQuestion);
    EXPECT_EQ(state.detach(), PlayerStateOutcome::Done);
    window->deviceChanged();
    EXPECT_TRUE(window->playerShown());  // not while the worker holds the link
    return Answer::Yes;
  });
  QSignalSpy finished(&worker, &DeviceWorker::finished);
  ASSERT_TRUE(window->desktop().dropData(*view.dragData()));
  waitForWorker(finished);
  EXPECT_NE(finished.front().front().toUInt(), 0u);
  ASSERT_EQ(shown.messages.size(), 2u);
  EXPECT_EQ(shown.messages[1].caption, kPlayerErrorCaption);
  EXPECT_EQ(std::filesystem::file_size(pcFolder() / "song.mp3"), 1u);  // left as it was
  EXPECT_FALSE(window->playerShown());
}

}  // namespace
}  // namespace norva::device

namespace norva::device {
namespace {

TEST_F(TrelliqTest, AnUnformattedCardSaysSoAndCanBeFormatted) {
  ASSERT_EQ(state.create(16u), PlayerStateOutcome::Done);
  {
    // The boot sector and the first FAT are gone: no file system any more.
    std::fstream card(dir.path() / "player" / "external.img",
                      std::ios::in | std::ios::out | std::ios::binary);
    const std::string zeros(64 * 1024, '\0');
    card.write(zeros.data(), static_cast<std::streamsize>(zeros.size()));
  }
  open(false);
  MemoryView& card = *window->memoryView(1);
  // The library reports no size for a medium without a file system.
  EXPECT_EQ(card.headerText(), " 扩展存储空间 - Not Formated, Total 0KB");
  EXPECT_EQ(card.mode(), MemoryListMode::Hidden);
  auto menu = card.contextMenu();
  QAction* format = menuAction(*menu, command::kFormat);
  ASSERT_TRUE(format->isEnabled());
  shown.steps.push_back([](const Message& message) {
    EXPECT_EQ(message, (Message{kFormatQuestion, kFormatCaption, MessageIcon::Question,
                                MessageButtons::YesNo}));
    return Answer::Yes;
  });
  QSignalSpy finished(&worker, &DeviceWorker::finished);
  format->trigger();
  waitForWorker(finished);
  EXPECT_EQ(finished.front().front().toUInt(), 0u);
  EXPECT_EQ(card.mode(), MemoryListMode::Writable);
  EXPECT_EQ(card.headerText(), " 扩展存储空间 - 总共16MB");
}

}  // namespace
}  // namespace norva::device

namespace norva::device {
namespace {

TEST(PlayerEntriesMime, RoundTripsAndRefusesDamagedData) {
  PlayerEntries entries;
  entries.drive = 1;
  entries.entries.add({"春天.mp3", 4, 1234, {}});
  entries.entries.add({"b.mpr", 0, 0, {}});
  const auto mime = mimeForPlayerEntries(entries);
  const auto back = playerEntriesOf(*mime);
  ASSERT_TRUE(back.has_value());
  EXPECT_EQ(back->drive, 1);
  ASSERT_EQ(back->entries.size(), 2u);
  EXPECT_EQ(back->entries.items()[0].text, "春天.mp3");
  EXPECT_EQ(back->entries.items()[0].index, 4);
  EXPECT_EQ(back->entries.items()[0].size, 1234u);

  const QString format = QString::fromLatin1(kPlayerEntriesMimeType);
  QByteArray bytes = mime->data(format);
  QMimeData cut;
  cut.setData(format, bytes.left(bytes.size() - 3));  // the last name is cut short
  EXPECT_FALSE(playerEntriesOf(cut).has_value());
  QMimeData otherDrive;
  bytes[7] = 5;  // drive 5 (big-endian 32-bit after the version)
  otherDrive.setData(format, bytes);
  EXPECT_FALSE(playerEntriesOf(otherDrive).has_value());
  QMimeData files;
  files.setUrls({QUrl::fromLocalFile("/tmp/x.mp3")});
  EXPECT_FALSE(playerEntriesOf(files).has_value());
}

TEST_F(TrelliqTest, UpAndDownMoveTheSelectedEntriesAndKeepThemSelected) {
  open();
  putOnPlayer(0, {{"a.mp3", 10}, {"b.mp3", 10}, {"c.mp3", 10}});
  MemoryView& view = *window->memoryView(0);
  view.reload(false);
  view.headerClicked(1);  // by index: the player's order
  ASSERT_EQ(names(view.list()), (QStringList{"a.mp3", "b.mp3", "c.mp3"}));
  select(view.list(), {"c.mp3"});
  view.runCommand(command::kUp);
  EXPECT_EQ(names(view.list()), (QStringList{"a.mp3", "c.mp3", "b.mp3"}));
  EXPECT_EQ(selectedNames(view.list()), (QStringList{"c.mp3"}));
  select(view.list(), {"a.mp3"});
  view.runCommand(command::kUp);  // the first entry cannot go up: nothing moves
  EXPECT_EQ(names(view.list()), (QStringList{"a.mp3", "c.mp3", "b.mp3"}));
  EXPECT_TRUE(selectedNames(view.list()).isEmpty());  // only moved entries are selected again
  select(view.list(), {"a.mp3"});
  view.runCommand(command::kDown);
  EXPECT_EQ(names(view.list()), (QStringList{"c.mp3", "a.mp3", "b.mp3"}));
  EXPECT_EQ(selectedNames(view.list()), (QStringList{"a.mp3"}));
}

TEST_F(TrelliqTest, ClosingStoresTheFolderTheFilterTheWidthsAndTheWindowState) {
  std::filesystem::create_directories(pcFolder() / "inner");
  open(false);
  ASSERT_TRUE(window->desktop().setFolder(QString::fromStdString((pcFolder() / "inner").string())));
  window->desktop().list().setColumnWidth(2, 137);
  window->close();
  EXPECT_EQ(settings->text({"Desktop", "LastDirectory"}), (pcFolder() / "inner").string());
  EXPECT_EQ(settings->integer({"Desktop", "SubItemWidth_2"}, 0), 137);
  EXPECT_EQ(settings->integer({"Mp3Mem_1", "SubItemWidth_0"}, 0), 100);
  EXPECT_EQ(settings->integer({"", "WindowState"}, 0), kShowNormal);
  EXPECT_EQ(settings->text({"", "FileListFilter"}), "*.*");
}

}  // namespace
}  // namespace norva::device

namespace norva::device {
namespace {

TEST_F(TrelliqTest, TheLocationBoxFollowsTheFolderAndTheParentButtonGoesUp) {
  std::filesystem::create_directories(pcFolder() / "inner" / "deeper");
  open(false);
  DesktopPane& desktop = window->desktop();
  const QString deeper = QString::fromStdString((pcFolder() / "inner" / "deeper").string());
  ASSERT_TRUE(desktop.setFolder(deeper));
  EXPECT_EQ(desktop.locationBox().currentText(), "deeper");
  desktop.goToParent();
  EXPECT_EQ(desktop.folder().toStdString(), (pcFolder() / "inner").string());
  EXPECT_EQ(desktop.locationBox().currentText(), "inner");
  EXPECT_EQ(names(desktop.list()), (QStringList{"deeper"}));
  EXPECT_FALSE(desktop.setFolder(QString::fromStdString((pcFolder() / "missing").string())));
  EXPECT_EQ(desktop.folder().toStdString(), (pcFolder() / "inner").string());
}

}  // namespace
}  // namespace norva::device
