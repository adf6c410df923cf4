// DeviceLink's storage operations against the fake library.
#include <gtest/gtest.h>

#include "device/device_messages.h"
#include "device_link_fixture.h"

namespace norva::device {
namespace {

using Timeout = std::pair<uint32_t, uint32_t>;

TEST_F(DeviceLinkTest, ListDriveGivesEveryEntryInPlayerOrder) {
  putFiles(0, {"b.mp3", "a.mp3", "歌.mp3"});
  connect();
  TransferList list;
  ASSERT_TRUE(link.ListDrive(0, list, false));
  ASSERT_EQ(list.size(), 3u);
  EXPECT_EQ(list.items()[2].text, "歌.mp3");
  EXPECT_EQ(list.items()[2].index, 2);
  EXPECT_EQ(list.items()[2].size, 1000u);
  TransferList none;
  EXPECT_FALSE(link.ListDrive(1, none, false));  // no blocks
  EXPECT_FALSE(link.ListDrive(2, none, false));
}

TEST_F(DeviceLinkTest, ListDriveFailsWithoutAHandle) {
  ASSERT_TRUE(link.Initialize());
  TransferList list;
  EXPECT_FALSE(link.ListDrive(0, list, true));
  EXPECT_TRUE(fake.calls.empty());
}

TEST_F(DeviceLinkTest, DownloadMarksTheDriveDirtySoTheNextListingRereads) {
  connect();
  const auto path = dir.path() / "new.mp3";
  std::ofstream(path) << "12345";
  TransferList files;
  files.add({path.string(), -1, 0, {}});
  EXPECT_EQ(link.DownloadFiles(nullptr, 0, files), 0u);
  TransferList list;
  ASSERT_TRUE(link.ListDrive(0, list, false));
  ASSERT_EQ(list.size(), 1u);
  EXPECT_EQ(list.items()[0].text, "new.mp3");
  EXPECT_EQ(list.items()[0].size, 5u);
}

TEST_F(DeviceLinkTest, DownloadStopsAtTheFirstFailure) {
  connect();
  TransferList files;
  for (const char* name : {"1.mp3", "2.mp3", "3.mp3"}) {
    std::ofstream(dir.path() / name) << "x";
    files.add({(dir.path() / name).string(), -1, 0, {}});
  }
  fake.attached = false;  // every transfer fails with "not attached"
  EXPECT_EQ(link.DownloadFiles(nullptr, 0, files), 2u);
  EXPECT_EQ(std::count_if(fake.calls.begin(), fake.calls.end(),
                          [](const std::string& c) { return c.starts_with("Download"); }),
            1);
}

TEST_F(DeviceLinkTest, DownloadTellsItsProgressBeforeEachFileUntilItStops) {
  connect();
  std::vector<std::string> told;
  link.setTransferProgress([&](size_t done, size_t total, const std::string& name) {
    told.push_back(std::to_string(done) + "/" + std::to_string(total) + " " + name);
  });
  TransferList files;
  for (const char* name : {"1.mp3", "2.mp3", "3.mp3"}) {
    std::ofstream(dir.path() / name) << "x";
    files.add({(dir.path() / name).string(), -1, 0, {}});
  }
  EXPECT_EQ(link.DownloadFiles(nullptr, 0, files), 0u);
  EXPECT_EQ(told, (std::vector<std::string>{"0/3 1.mp3", "1/3 2.mp3", "2/3 3.mp3"}));
  told.clear();
  fake.attached = false;
  link.DownloadFiles(nullptr, 0, files);
  EXPECT_EQ(told, (std::vector<std::string>{"0/3 1.mp3"}));  // the first failure ends it
}

// The path length limit: 259 and 260 characters are sent, 261 is refused before sending.
class DownloadPathLimit : public DeviceLinkTest, public ::testing::WithParamInterface<size_t> {};

TEST_P(DownloadPathLimit, RefusesPathsLongerThan260Characters) {
  connect();
  const std::string folder = dir.path().string() + "/";
  const size_t length = GetParam();
  const std::string path = folder + std::string(length - folder.size(), 'n');
  ASSERT_EQ(path.size(), length);
  std::ofstream(path) << "x";
  TransferList files;
  files.add({path, -1, 0, {}});
  const DeviceCode code = link.DownloadFiles(nullptr, 0, files);
  if (length > 260) {
    EXPECT_EQ(code, kCodeFile);
    EXPECT_TRUE(fake.calls.empty() || !fake.calls.back().starts_with("Download"));
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].text, kPathTooLongText);
  } else {
    EXPECT_EQ(code, 0u);
    EXPECT_EQ(fake.files[0].size(), 1u);
  }
}

INSTANTIATE_TEST_SUITE_P(Limits, DownloadPathLimit, ::testing::Values(259u, 260u, 261u));

TEST_F(DeviceLinkTest, DownloadRefusesAFolderBeforeSendingAnything) {
  connect();
  std::ofstream(dir.path() / "ok.mp3") << "x";
  std::filesystem::create_directory(dir.path() / "album");
  TransferList files;
  files.add({(dir.path() / "ok.mp3").string(), -1, 0, {}});
  files.add({(dir.path() / "album").string(), -1, 0, {}});
  EXPECT_EQ(link.DownloadFiles(nullptr, 0, files), kCodeFile);
  EXPECT_TRUE(fake.files[0].empty());
  ASSERT_EQ(prompter.messages.size(), 1u);
  EXPECT_EQ(prompter.messages[0], (Message{(dir.path() / "album").string() + "\n无法下载目录！", "",
                                           MessageIcon::Warning, MessageButtons::Ok}));
}

TEST_F(DeviceLinkTest, SongTcwIsUploadedAsSongWav) {
  putFiles(0, {"a.mp3", "SONG.tcw"});
  connect();
  TransferList entries;
  entries.add({"SONG.tcw", 1, 1000, {}});
  EXPECT_EQ(link.UploadFiles(nullptr, 0, dir.path().string(), entries), 0u);
  ASSERT_EQ(fake.uploads.size(), 1u);
  EXPECT_EQ(fake.uploads[0].index, 1);
  EXPECT_EQ(fake.uploads[0].target, (dir.path() / "SONG.WAV").string());
  EXPECT_EQ(fake.uploads[0].playerName, "SONG.tcw");
  EXPECT_EQ(fake.uploads[0].mode, 1);
}

TEST_F(DeviceLinkTest, TcwIsCopiedUnchangedWhenConversionIsOff) {
  settings.setInteger(kAdpcmConvertKey, 1);
  putFiles(0, {"SONG.tcw"});
  connect();
  TransferList entries;
  entries.add({"SONG.tcw", 0, 1000, {}});
  EXPECT_EQ(link.UploadFiles(nullptr, 0, dir.path().string(), entries), 0u);
  ASSERT_EQ(fake.uploads.size(), 1u);
  EXPECT_EQ(fake.uploads[0].target, (dir.path() / "SONG.tcw").string());
  EXPECT_EQ(fake.uploads[0].playerName, "(null)");
  EXPECT_EQ(fake.uploads[0].mode, 0);
}

struct OverwriteCase {
  Answer answer;
  DeviceCode code;
  std::vector<int> uploaded;
};

class UploadOverwrite : public DeviceLinkTest,
                        public ::testing::WithParamInterface<OverwriteCase> {};

TEST_P(UploadOverwrite, AsksForAnExistingTarget) {
  putFiles(0, {"a.mp3", "b.mp3"});
  connect();
  std::ofstream(dir.path() / "a.mp3") << "old";
  answer({GetParam().answer});
  TransferList entries;
  entries.add({"a.mp3", 0, 1000, {}});
  entries.add({"b.mp3", 1, 1000, {}});
  EXPECT_EQ(link.UploadFiles(nullptr, 0, dir.path().string(), entries), GetParam().code);
  ASSERT_EQ(prompter.messages.size(), 1u);
  EXPECT_EQ(prompter.messages[0],
            (Message{"文件已经存在.\n是否需要覆盖?", (dir.path() / "a.mp3").string(),
                     MessageIcon::Question, MessageButtons::YesNoCancel}));
  std::vector<int> uploaded;
  for (const auto& upload : fake.uploads) uploaded.push_back(upload.index);
  EXPECT_EQ(uploaded, GetParam().uploaded);
}

INSTANTIATE_TEST_SUITE_P(Answers, UploadOverwrite,
                         ::testing::Values(OverwriteCase{Answer::Cancel, 14, {}},
                                           OverwriteCase{Answer::No, 0, {1}},
                                           OverwriteCase{Answer::Yes, 0, {0, 1}}));

TEST_F(DeviceLinkTest, UploadRefusesPlayerNamesThatLeaveTheFolder) {
  connect();
  std::filesystem::create_directory(dir.path() / "target");
  TransferList entries;
  entries.add({"../escape.mp3", 0, 1000, {}});
  EXPECT_EQ(link.UploadFiles(nullptr, 0, (dir.path() / "target").string(), entries), kCodeBadName);
  EXPECT_TRUE(fake.uploads.empty());
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "escape.mp3"));
  ASSERT_EQ(prompter.messages.size(), 1u);
  EXPECT_EQ(prompter.messages[0].text, std::string(kUnsafePlayerName) + "../escape.mp3");
}

TEST_F(DeviceLinkTest, DeletingEntriesTwoAndFiveSendsTwoThenFour) {
  putFiles(0, {"0", "1", "2", "3", "4", "5", "6"});
  connect();
  const auto refs = listed(0);
  EXPECT_EQ(link.DeleteEntries(nullptr, 0, {refs[5], refs[2]}), 0u);
  std::vector<std::string> deletes;
  for (const auto& call : fake.calls)
    if (call.starts_with("Delete")) deletes.push_back(call);
  EXPECT_EQ(deletes, (std::vector<std::string>{"Delete 0 2 2", "Delete 0 4 5"}));
  EXPECT_EQ(fake.names(0), (std::vector<std::string>{"0", "1", "3", "4", "6"}));
}

TEST_F(DeviceLinkTest, AStaleIndexNeverDeletesTheWrongFile) {
  putFiles(0, {"A", "B", "C", "D", "E"});
  connect();
  const auto refs = listed(0);
  // Another program removes B after our listing: D now sits at index 2.
  fake.files[0].erase(fake.files[0].begin() + 1);
  EXPECT_EQ(link.DeleteEntries(nullptr, 0, {refs[3]}), 0u);
  EXPECT_EQ(fake.names(0), (std::vector<std::string>{"A", "C", "E"}));
}

TEST_F(DeviceLinkTest, DeletingAnEntryAnotherProgramRemovedDeletesNothing) {
  putFiles(0, {"A", "B", "C"});
  connect();
  const auto refs = listed(0);
  fake.files[0].erase(fake.files[0].begin() + 1);
  EXPECT_EQ(link.DeleteEntries(nullptr, 0, {refs[1]}), 0u);
  EXPECT_EQ(fake.names(0), (std::vector<std::string>{"A", "C"}));
}

TEST_F(DeviceLinkTest, DeletingStopsAtTheFirstFailure) {
  putFiles(0, {"A", "B", "C"});
  connect();
  const auto refs = listed(0);
  fake.failNextWith = TCC730_ERR_BUSY;
  EXPECT_EQ(link.DeleteEntries(nullptr, 0, {refs[0], refs[2]}),
            static_cast<DeviceCode>(TCC730_ERR_BUSY));
  EXPECT_EQ(std::count_if(fake.calls.begin(), fake.calls.end(),
                          [](const std::string& c) { return c.starts_with("Delete"); }),
            1);
  EXPECT_EQ(fake.names(0), (std::vector<std::string>{"A", "B", "C"}));
  EXPECT_EQ(fake.displayedCodes, (std::vector<uint32_t>{16}));
}

TEST_F(DeviceLinkTest, AMissingFileStopsTheDownloadBeforeSending) {
  connect();
  std::ofstream(dir.path() / "ok.mp3") << "x";
  TransferList files;
  files.add({(dir.path() / "ok.mp3").string(), -1, 0, {}});
  files.add({(dir.path() / "gone.mp3").string(), -1, 0, {}});
  EXPECT_EQ(link.DownloadFiles(nullptr, 0, files), kCodeFile);
  EXPECT_TRUE(fake.files[0].empty());
  ASSERT_EQ(prompter.messages.size(), 1u);
  EXPECT_EQ(prompter.messages[0].text, "No such file or directory");
}

TEST_F(DeviceLinkTest, UploadStopsAtTheFirstFailureAndStaysSilentOnCancel) {
  putFiles(0, {"a.mp3", "b.mp3"});
  connect();
  TransferList entries;
  entries.add({"a.mp3", 0, 1000, {}});
  entries.add({"b.mp3", 1, 1000, {}});
  fake.failNextWith = TCC730_ERR_CANCELLED;
  EXPECT_EQ(link.UploadFiles(nullptr, 0, dir.path().string(), entries), 14u);
  EXPECT_EQ(fake.uploads.size(), 1u);
  EXPECT_TRUE(fake.displayedCodes.empty());
  EXPECT_TRUE(prompter.messages.empty());
}

TEST_F(DeviceLinkTest, SwapOfEntriesThatMovedMeanwhileChangesNothing) {
  putFiles(0, {"A", "B", "C"});
  connect();
  const auto refs = listed(0);
  fake.files[0].erase(fake.files[0].begin() + 1);  // C now right after A
  fake.files[0].push_back({"D", 1});               // and B gone
  EXPECT_EQ(link.SwapEntries(0, refs[1], refs[2]), static_cast<DeviceCode>(TCC730_ERR_STALE_ENTRY));
  EXPECT_EQ(fake.names(0), (std::vector<std::string>{"A", "C", "D"}));
}

TEST_F(DeviceLinkTest, DeleteQuestionNamesOneEntryOrAsksForTheSelection) {
  answer({Answer::Yes, Answer::No});
  EXPECT_TRUE(link.confirmDelete({{3, "歌.mp3"}}));
  EXPECT_FALSE(link.confirmDelete({{3, "a"}, {4, "b"}}));
  EXPECT_FALSE(link.confirmDelete({}));
  ASSERT_EQ(prompter.messages.size(), 2u);
  EXPECT_EQ(prompter.messages[0], (Message{"是否删除歌.mp3 ?", "Confirm file deleting",
                                           MessageIcon::Information, MessageButtons::YesNo}));
  EXPECT_EQ(prompter.messages[1].text, "Would you delete the selected file?");
}

TEST_F(DeviceLinkTest, UpAtTheFirstAndDownAtTheLastChangeNothing) {
  putFiles(0, {"A", "B", "C"});
  connect();
  const auto refs = listed(0);
  EXPECT_TRUE(link.MoveUp(0, {refs[0], refs[2]}).empty());
  EXPECT_TRUE(link.MoveDown(0, {refs[2]}).empty());
  for (const auto& call : fake.calls) EXPECT_FALSE(call.starts_with("Swap")) << call;
  EXPECT_EQ(fake.names(0), (std::vector<std::string>{"A", "B", "C"}));
}

TEST_F(DeviceLinkTest, UpAndDownSwapWithTheNeighbour) {
  putFiles(0, {"A", "B", "C", "D"});
  connect();
  auto refs = listed(0);
  EXPECT_EQ(link.MoveUp(0, {refs[1], refs[3]}), (std::vector<int>{0, 2}));
  EXPECT_EQ(fake.names(0), (std::vector<std::string>{"B", "A", "D", "C"}));
  refs = listed(0);
  EXPECT_EQ(link.MoveDown(0, {refs[0], refs[1]}), (std::vector<int>{2, 1}));
  EXPECT_EQ(fake.names(0), (std::vector<std::string>{"D", "B", "A", "C"}));
}

TEST_F(DeviceLinkTest, RenameFindsTheEntryAgainByName) {
  putFiles(0, {"A", "B", "C"});
  connect();
  const auto refs = listed(0);
  fake.files[0].erase(fake.files[0].begin());  // C moves to index 1
  EXPECT_EQ(link.RenameEntry(0, refs[2], "Z"), 0u);
  EXPECT_EQ(fake.names(0), (std::vector<std::string>{"B", "Z"}));
}

TEST_F(DeviceLinkTest, RenameOfAVanishedEntryChangesNothing) {
  putFiles(0, {"A", "B"});
  connect();
  const auto refs = listed(0);
  fake.files[0].erase(fake.files[0].begin() + 1);
  EXPECT_EQ(link.RenameEntry(0, refs[1], "Z"), static_cast<DeviceCode>(TCC730_ERR_STALE_ENTRY));
  EXPECT_EQ(fake.names(0), (std::vector<std::string>{"A"}));
}

TEST_F(DeviceLinkTest, FormatQuestionAndTimeoutSwitch) {
  putFiles(0, {"A"});
  connect();
  answer({Answer::Yes});
  EXPECT_TRUE(link.confirmFormat(true));
  EXPECT_EQ(prompter.messages[0], (Message{"所有文件将被删除.\n是否继续?", "Low Level Format",
                                           MessageIcon::Question, MessageButtons::YesNo}));
  fake.timeouts.clear();
  EXPECT_EQ(link.FormatDrive(nullptr, 0), 0u);
  EXPECT_EQ(fake.calls.back(), "Format 0");
  EXPECT_EQ(fake.timeouts, (std::vector<Timeout>{{300000, 20000}, {30000, 20000}}));
  TransferList list;
  ASSERT_TRUE(link.ListDrive(0, list, false));
  EXPECT_TRUE(list.empty());
}

TEST_F(DeviceLinkTest, AFailedLongOperationRestoresTheReceiveTimeout) {
  connect();
  fake.timeouts.clear();
  fake.failNextWith = TCC730_ERR_CANCELLED;
  EXPECT_EQ(link.LowLevelFormatDrive(nullptr, 0), 14u);
  EXPECT_EQ(fake.calls.back(), "FormatLow 0");
  EXPECT_EQ(fake.timeouts, (std::vector<Timeout>{{300000, 20000}, {30000, 20000}}));
  EXPECT_EQ(fake.displayedCodes, (std::vector<uint32_t>{14}));  // format shows a cancel too
}

class RawDataTest : public DeviceLinkTest {
 protected:
  void SetUp() override {
    fake.totalBlocks[0] = 2048;
    connect();
    rawFile = (dir.path() / "raw.dat").string();
    settings.setText(kRawDataFileNameKey, rawFile);
  }
  std::string rawFile;
};

// Range limit at the drive's end: first 2040 with 8 blocks ends at 2048 (accepted); 9 blocks
// pass it by one.
TEST_F(RawDataTest, RangeExactlyAtTheEndIsAcceptedOneMoreIsRefused) {
  settings.setInteger(kRawDataAddrKey, 2040);
  settings.setInteger(kRawDataCountKey, 8);
  EXPECT_EQ(link.ReadRawData(nullptr, 0), 0u);
  EXPECT_EQ(fake.calls.back(), "UploadRawData 0 2040 8 " + rawFile + " 131072");
  std::filesystem::remove(rawFile);
  settings.setInteger(kRawDataCountKey, 9);
  const auto before = fake.calls.size();
  EXPECT_EQ(link.ReadRawData(nullptr, 0), kCodeCancelled);
  EXPECT_EQ(fake.calls.size(), before);
  ASSERT_EQ(prompter.messages.size(), 1u);
  EXPECT_EQ(prompter.messages[0],
            (Message{"Raw Data Range was exceeded.", "", MessageIcon::None, MessageButtons::Ok}));
}

TEST_F(RawDataTest, AWrappingFirstBlockIsRefused) {
  settings.setInteger(kRawDataAddrKey, 0xFFFFFFFF);
  settings.setInteger(kRawDataCountKey, 1);
  EXPECT_EQ(link.ReadRawData(nullptr, 0), kCodeCancelled);
  EXPECT_EQ(prompter.messages.at(0).text, "Raw Data Range was exceeded.");
}

TEST_F(RawDataTest, NoFileNameIsReported) {
  settings.setText(kRawDataFileNameKey, "");
  EXPECT_EQ(link.ReadRawData(nullptr, 0), kCodeCancelled);
  EXPECT_EQ(prompter.messages.at(0).text, "Raw Data Filename or Range was not specified.");
}

TEST_F(RawDataTest, ViewerGetsTheFileAsOneArgument) {
  settings.setText(kRawDataViewerKey, "/usr/bin/hexviewer");
  settings.setText(kRawDataFileNameKey, (dir.path() / "a b; rm -rf x.dat").string());
  EXPECT_EQ(link.ReadRawData(nullptr, 0), 0u);
  ASSERT_EQ(launcher.started.size(), 1u);
  EXPECT_EQ(launcher.started[0].first, "/usr/bin/hexviewer");
  EXPECT_EQ(launcher.started[0].second,
            (std::vector<std::string>{(dir.path() / "a b; rm -rf x.dat").string()}));
}

TEST_F(RawDataTest, AnsweringNoKeepsTheFileAndStillOpensTheViewer) {
  settings.setText(kRawDataViewerKey, "viewer");
  std::ofstream(rawFile) << "old";
  answer({Answer::No});
  EXPECT_EQ(link.ReadRawData(nullptr, 0), 0u);
  for (const auto& call : fake.calls) EXPECT_FALSE(call.starts_with("UploadRawData"));
  EXPECT_EQ(launcher.started.size(), 1u);
}

TEST_F(RawDataTest, ViewerOnlyWithoutTheFileShowsMissingFile) {
  settings.setText(kRawDataViewerKey, "viewer");
  EXPECT_EQ(link.ReadRawData(nullptr, -1), kCodeFile);
  EXPECT_EQ(fake.displayedCodes, (std::vector<uint32_t>{6}));
  EXPECT_TRUE(launcher.started.empty());
}

}  // namespace
}  // namespace norva::device
