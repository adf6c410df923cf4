#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "base/recording_prompter.h"
#include "base/service/file_io.h"
#include "lyrics/lyr_reader.h"
#include "lyrics/service/lrc_batch.h"
#include "lyrics/service/mpr_batch.h"
#include "lyrics/service/text_batch.h"
#include "lyrics/service/text_file_conversion.h"
#include "preview/synthetic_stream.h"
#include "test_support/temp_dir.h"

namespace norva {
// Failures show the message boxes as norva prints them.
void PrintTo(const Message& message, std::ostream* os) {
  *os << "[" << message.caption << "] " << message.text;
}
}  // namespace norva

namespace norva::lyr {
namespace {

namespace fs = std::filesystem;

// Seven lines on one screen: more than the small font's six, so the layout warning asks.
constexpr std::string_view kTooManyLines = "t\r\n[00:01.00]1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n";

void writeFile(const fs::path& path, std::string_view bytes) {
  fs::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary)
      .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

void writeFile(const fs::path& path, const std::vector<uint8_t>& bytes) {
  writeFile(path, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

// A folder for the outputs, as the user picks an existing one.
std::string outputFolder(const fs::path& path) {
  fs::create_directories(path);
  return path.string();
}

std::string readFile(const fs::path& path) {
  const auto bytes = readWholeFile(path).bytes;
  return std::string(bytes.begin(), bytes.end());
}

std::string lrc(std::string_view words) {
  return "t\r\n[00:01.00]" + std::string(words) + "\r\n";
}

// The files at `paths` as input rows, in that order.
FileEntryList inputList(const std::vector<fs::path>& paths) {
  FileEntryList list;
  for (const fs::path& path : paths) list.add(*fileEntryOnDisk(path));
  return list;
}

std::vector<std::string> rowNames(const FileEntryList& list) {
  std::vector<std::string> names;
  for (const FileEntry& entry : list.entries()) names.push_back(entry.name);
  return names;
}

struct Reports {
  std::vector<BatchFileReport> all;
  BatchFileObserver observer() {
    return [this](const BatchFileReport& report) { all.push_back(report); };
  }
  std::vector<BatchFileStatus> statuses() const {
    std::vector<BatchFileStatus> out;
    for (const auto& report : all) out.push_back(report.status);
    return out;
  }
};

// A prompter that runs `onWarning` when a layout warning is shown, then answers it.
class WarningHook : public RecordingPrompter {
 public:
  WarningHook(std::function<void()> onWarning, Answer answer)
      : RecordingPrompter({}, answer), onWarning_(std::move(onWarning)) {}
  Answer show(const Message& message) override {
    if (message.buttons == MessageButtons::YesNoCancel) onWarning_();
    return RecordingPrompter::show(message);
  }

 private:
  std::function<void()> onWarning_;
};

Message box(std::string_view text, std::string_view caption, MessageIcon icon = MessageIcon::None) {
  return Message{std::string(text), std::string(caption), icon, MessageButtons::Ok};
}

// --- LRC to LYR ---------------------------------------------------------------------------

TEST(LrcBatch, OutputNamesReplaceTheLastFourCharactersAndTheListIsSortedByName) {
  TempDir dir;
  writeFile(dir.path() / "in/lyrics.txt.lrc", lrc("a"));
  writeFile(dir.path() / "in/Zed.LRC", lrc("z"));
  writeFile(dir.path() / "in/apple.lrc", lrc("p"));
  writeFile(dir.path() / "in/b.txt", lrc("b"));  // any extension: its last four characters go
  const FileEntryList inputs =
      inputList({dir.path() / "in/lyrics.txt.lrc", dir.path() / "in/Zed.LRC",
                 dir.path() / "in/apple.lrc", dir.path() / "in/b.txt"});
  RecordingPrompter prompter;
  BatchControl control;
  FileEntryList outputs;
  const BatchRun run =
      runLrcBatch(prompter, control, inputs, outputFolder(dir.path() / "out"), outputs);
  EXPECT_EQ(run.result, BatchRunResult::Finished);
  EXPECT_EQ(run.written, 4u);
  EXPECT_EQ(rowNames(outputs),
            (std::vector<std::string>{"apple.lyr", "b.lyr", "lyrics.txt.lyr", "Zed.lyr"}));
  EXPECT_EQ(outputs.entries()[0].folder, outputFolder(dir.path() / "out") + "/");
  EXPECT_EQ(outputs.entries()[0].size, 1024u);
  EXPECT_EQ(lyrToTimedText(readWholeFile(dir.path() / "out/lyrics.txt.lyr").bytes), "<1000>a\r\n");
  EXPECT_EQ(prompter.messages,
            (std::vector<Message>{box("转化完成.", "LRC转LYR", MessageIcon::Warning)}));
  EXPECT_FALSE(control.busy());
}

TEST(LrcBatch, NothingToConvertIsRefusedBeforeAnyFile) {
  TempDir dir;
  writeFile(dir.path() / "a.lrc", lrc("a"));
  const FileEntryList one = inputList({dir.path() / "a.lrc"});
  for (const auto& [inputs, folder] :
       {std::pair{FileEntryList{}, dir.path().string()}, std::pair{one, std::string()}}) {
    RecordingPrompter prompter;
    BatchControl control;
    FileEntryList outputs;
    EXPECT_EQ(runLrcBatch(prompter, control, inputs, folder, outputs).result,
              BatchRunResult::NothingToConvert);
    EXPECT_EQ(
        prompter.messages,
        (std::vector<Message>{box("没有待转换文件或歌词目录、输出目录为空!", "LRC-->LYR软件")}));
  }
  EXPECT_FALSE(fs::exists(dir.path() / "a.lyr"));
}

TEST(LrcBatch, SameNameFromTwoFoldersSkipsTheSecondAndKeepsTheFirstOutput) {
  TempDir dir;
  writeFile(dir.path() / "one/song.lrc", lrc("first"));
  writeFile(dir.path() / "two/SONG.lrc", lrc("second"));
  const FileEntryList inputs =
      inputList({dir.path() / "one/song.lrc", dir.path() / "two/SONG.lrc"});
  ASSERT_EQ(inputs.size(), 2u);
  RecordingPrompter prompter;
  BatchControl control;
  FileEntryList outputs;
  Reports reports;
  const BatchRun run = runLrcBatch(prompter, control, inputs, outputFolder(dir.path() / "out"),
                                   outputs, reports.observer());
  EXPECT_EQ(reports.statuses(),
            (std::vector{BatchFileStatus::Written, BatchFileStatus::SameOutputName}));
  EXPECT_EQ(run.written, 1u);
  EXPECT_EQ(run.notWritten, 1u);
  EXPECT_EQ(lyrToTimedText(readWholeFile(dir.path() / "out/song.lyr").bytes), "<1000>first\r\n");
  EXPECT_FALSE(fs::exists(dir.path() / "out/SONG.lyr"));
  EXPECT_EQ(rowNames(outputs), (std::vector<std::string>{"song.lyr"}));
}

TEST(LrcBatch, AnOldOutputOfAFailedFileIsNotListedAndStaysAsItWas) {
  TempDir dir;
  writeFile(dir.path() / "in/good.lrc", lrc("g"));
  writeFile(dir.path() / "in/gone.lrc", lrc("x"));
  writeFile(dir.path() / "out/gone.lyr", "old file");
  const FileEntryList inputs = inputList({dir.path() / "in/gone.lrc", dir.path() / "in/good.lrc"});
  fs::remove(dir.path() / "in/gone.lrc");  // removed after it was added
  RecordingPrompter prompter;
  BatchControl control;
  FileEntryList outputs;
  Reports reports;
  runLrcBatch(prompter, control, inputs, outputFolder(dir.path() / "out"), outputs,
              reports.observer());
  EXPECT_EQ(reports.statuses(), (std::vector{BatchFileStatus::Failed, BatchFileStatus::Written}));
  EXPECT_EQ(rowNames(outputs), (std::vector<std::string>{"good.lyr"}));
  EXPECT_EQ(readFile(dir.path() / "out/gone.lyr"), "old file");
  ASSERT_EQ(prompter.messages.size(), 2u);
  EXPECT_EQ(prompter.messages[0],
            box("Load file is error!", "Compile Error information", prompter.messages[0].icon));
}

TEST(LrcBatch, CancelAtTheWarningPassesTheRowOverSilentlyAndEarlierRowsStay) {
  TempDir dir;
  writeFile(dir.path() / "in/long.lrc", kTooManyLines);
  writeFile(dir.path() / "in/short.lrc", lrc("s"));
  const std::string out = outputFolder(dir.path() / "out");
  BatchControl control;
  FileEntryList outputs;
  {
    RecordingPrompter first;
    runLrcBatch(first, control, inputList({dir.path() / "in/short.lrc"}), out, outputs);
  }
  RecordingPrompter prompter({Answer::Cancel});
  Reports reports;
  runLrcBatch(prompter, control,
              inputList({dir.path() / "in/long.lrc", dir.path() / "in/short.lrc"}), out, outputs,
              reports.observer());
  EXPECT_EQ(reports.statuses(),
            (std::vector{BatchFileStatus::Cancelled, BatchFileStatus::Written}));
  ASSERT_EQ(prompter.messages.size(), 2u);
  EXPECT_EQ(prompter.messages[0].caption, "long.lrc");  // the warning names the file
  EXPECT_EQ(prompter.messages[1].text, "转化完成.");
  EXPECT_FALSE(fs::exists(dir.path() / "out/long.lyr"));
  // The row of the first run is kept, once.
  EXPECT_EQ(rowNames(outputs), (std::vector<std::string>{"short.lyr"}));
}

TEST(LrcBatch, OutputThatIsTheInputIsSkipped) {
  TempDir dir;
  writeFile(dir.path() / "x.lyr", lrc("x"));
  const std::string before = readFile(dir.path() / "x.lyr");
  RecordingPrompter prompter;
  BatchControl control;
  FileEntryList outputs;
  Reports reports;
  runLrcBatch(prompter, control, inputList({dir.path() / "x.lyr"}), dir.path().string(), outputs,
              reports.observer());
  EXPECT_EQ(reports.statuses(), (std::vector{BatchFileStatus::OutputIsInput}));
  EXPECT_EQ(readFile(dir.path() / "x.lyr"), before);
}

TEST(LrcBatch, BusyRefusalMessage) {
  EXPECT_EQ(lrcBatchBusyMessage(), box("请先取消转化", "LRC-->LYR软件", MessageIcon::Information));
}

// --- MP3 and lyric to MPR -----------------------------------------------------------------

struct MprFolders {
  TempDir dir;
  fs::path mp3s = dir.path() / "mp3";
  fs::path lyrics = dir.path() / "lyrics";
  fs::path out = dir.path() / "out";
  MprBatchFolders folders() const { return {lyrics.string(), outputFolder(out)}; }
  fs::path mp3(const std::string& name) {
    writeFile(mp3s / name, test::cbrStream(5000));
    return mp3s / name;
  }
};

TEST(MprBatch, SongMp3WithKindLrcTakesSongLrcAndWritesSongMpr) {
  MprFolders f;
  const fs::path song = f.mp3("song.mp3");
  const fs::path bare = f.mp3("bare.mp3");  // no lyric of the kind: passed over silently
  writeFile(f.lyrics / "song.lrc", lrc("la"));
  writeFile(f.lyrics / "song.tly", "t\r\n<1000>other\r\n");
  writeFile(f.lyrics / "bare.tly", "t\r\n<1000>other\r\n");
  RecordingPrompter prompter;
  BatchControl control;
  FileEntryList outputs;
  outputs.add({"stale.mpr", "/old/", 1});  // the list is emptied when a run starts
  Reports reports;
  const BatchRun run = runMprBatch(prompter, control, inputList({song, bare}), f.folders(),
                                   LyricKind::Lrc, outputs, reports.observer());
  EXPECT_EQ(run.result, BatchRunResult::Finished);
  EXPECT_EQ(reports.statuses(),
            (std::vector{BatchFileStatus::Written, BatchFileStatus::LyricMissing}));
  EXPECT_EQ(reports.all[0].output, f.out.string() + "/song.mpr");
  EXPECT_EQ(rowNames(outputs), (std::vector<std::string>{"song.mpr"}));
  const std::string mpr = readFile(f.out / "song.mpr");
  EXPECT_EQ(mpr.substr(0, 9), "NORVA MP3");
  EXPECT_NE(mpr.find("la"), std::string::npos);
  EXPECT_EQ(mpr.find("other"), std::string::npos);
  EXPECT_FALSE(fs::exists(f.out / "bare.mpr"));
  EXPECT_EQ(prompter.messages,
            (std::vector<Message>{box("转化完毕!", "MP3-->MPR", MessageIcon::Warning)}));
}

TEST(MprBatch, RefusalsBeforeAnyFile) {
  MprFolders f;
  const FileEntryList inputs = inputList({f.mp3("song.mp3")});
  struct Row {
    FileEntryList inputs;
    MprBatchFolders folders;
    std::optional<LyricKind> kind;
    BatchRunResult result;
    const char* text;
  };
  const Row rows[] = {
      {{},
       f.folders(),
       LyricKind::Lrc,
       BatchRunResult::NothingToConvert,
       "没有待转换文件或歌词目录 输出目录为空!"},
      {inputs,
       {"", f.out.string()},
       LyricKind::Lrc,
       BatchRunResult::NothingToConvert,
       "没有待转换文件或歌词目录 输出目录为空!"},
      {inputs,
       {f.lyrics.string(), ""},
       LyricKind::Lrc,
       BatchRunResult::NothingToConvert,
       "没有待转换文件或歌词目录 输出目录为空!"},
      {inputs, f.folders(), std::nullopt, BatchRunResult::NoLyricKind,
       "请选择相应的歌词文件类型!\r\n TLY  LYR  LRC"},
  };
  for (const Row& row : rows) {
    RecordingPrompter prompter;
    BatchControl control;
    FileEntryList outputs;
    outputs.add({"kept.mpr", "/old/", 1});
    EXPECT_EQ(runMprBatch(prompter, control, row.inputs, row.folders, row.kind, outputs).result,
              row.result);
    EXPECT_EQ(prompter.messages, (std::vector<Message>{box(row.text, "MP3-->MPR")}));
    EXPECT_EQ(outputs.size(), 1u);  // a refused run leaves the list as it was
  }
}

TEST(MprBatch, StopDuringAWarningFinishesTheFileAndEndsWithCancelled) {
  MprFolders f;
  const fs::path a = f.mp3("a.mp3");
  const fs::path b = f.mp3("b.mp3");
  writeFile(f.lyrics / "a.lrc", kTooManyLines);
  writeFile(f.lyrics / "b.lrc", lrc("b"));
  BatchControl control;
  WarningHook prompter([&] { control.requestStop(); }, Answer::Yes);
  FileEntryList outputs;
  Reports reports;
  const BatchRun run = runMprBatch(prompter, control, inputList({a, b}), f.folders(),
                                   LyricKind::Lrc, outputs, reports.observer());
  EXPECT_EQ(run.result, BatchRunResult::Stopped);
  EXPECT_EQ(reports.statuses(), (std::vector{BatchFileStatus::Written}));
  EXPECT_TRUE(fs::exists(f.out / "a.mpr"));
  EXPECT_FALSE(fs::exists(f.out / "b.mpr"));
  ASSERT_EQ(prompter.messages.size(), 2u);
  EXPECT_EQ(prompter.messages[0].caption, "a.mpr");  // the warning names the MPR file
  EXPECT_EQ(prompter.messages[1], box("已经取消!", "MP3-->MPR", MessageIcon::Warning));
  EXPECT_FALSE(control.busy());

  // The next run starts with the request cleared.
  RecordingPrompter again({}, Answer::Yes);
  EXPECT_EQ(
      runMprBatch(again, control, inputList({a, b}), f.folders(), LyricKind::Lrc, outputs).result,
      BatchRunResult::Finished);
  EXPECT_EQ(rowNames(outputs), (std::vector<std::string>{"a.mpr", "b.mpr"}));
}

TEST(MprBatch, SameBaseNameFromTwoFoldersAndOutputOverAnInputAreSkipped) {
  MprFolders f;
  const fs::path first = f.mp3("song.mp3");
  writeFile(f.dir.path() / "other/song.MP3", test::cbrStream(5000));
  writeFile(f.lyrics / "song.lyr", "");
  writeFile(f.lyrics / "song.lrc", lrc("s"));
  RecordingPrompter prompter;
  BatchControl control;
  FileEntryList outputs;
  Reports reports;
  runMprBatch(prompter, control, inputList({first, f.dir.path() / "other/song.MP3"}), f.folders(),
              LyricKind::Lrc, outputs, reports.observer());
  EXPECT_EQ(reports.statuses(),
            (std::vector{BatchFileStatus::Written, BatchFileStatus::SameOutputName}));

  // An MPR file given as the MP3, converted into its own folder, would replace itself.
  writeFile(f.lyrics / "clip.lrc", lrc("c"));
  writeFile(f.out / "clip.mpr", "mine");
  Reports second;
  runMprBatch(prompter, control, inputList({f.out / "clip.mpr"}), f.folders(), LyricKind::Lrc,
              outputs, second.observer());
  EXPECT_EQ(second.statuses(), (std::vector{BatchFileStatus::OutputIsInput}));
  EXPECT_EQ(readFile(f.out / "clip.mpr"), "mine");
}

TEST(MprBatch, BusyRefusalMessage) {
  EXPECT_EQ(mprBatchBusyMessage(), box("请先取消转换!", "MP3-->MPR", MessageIcon::Information));
}

// --- text files to UTF-16 -----------------------------------------------------------------

TEST(TextBatch, ConvertsCopiesAndTellsWhatItCannotRead) {
  TempDir dir;
  writeFile(dir.path() / "in/abc.txt", "abc");
  writeFile(dir.path() / "in/Wide.txt", std::string("\xFF\xFE\x61\x00", 4));
  writeFile(dir.path() / "in/big.txt", std::string(1048577, 'a'));
  writeFile(dir.path() / "in/gone.txt", "x");
  writeFile(dir.path() / "other/ABC.txt", "second");
  const FileEntryList inputs =
      inputList({dir.path() / "in/abc.txt", dir.path() / "in/Wide.txt", dir.path() / "in/big.txt",
                 dir.path() / "in/gone.txt", dir.path() / "other/ABC.txt"});
  fs::remove(dir.path() / "in/gone.txt");
  RecordingPrompter prompter;
  BatchControl control;
  FileEntryList outputs;
  Reports reports;
  runTextBatch(prompter, control, inputs, outputFolder(dir.path() / "out"), outputs,
               reports.observer());
  EXPECT_EQ(reports.statuses(), (std::vector{BatchFileStatus::Written, BatchFileStatus::Written,
                                             BatchFileStatus::Failed, BatchFileStatus::Failed,
                                             BatchFileStatus::SameOutputName}));
  EXPECT_EQ(readFile(dir.path() / "out/abc.txt"),
            std::string("\xFF\xFE\x61\x00\x62\x00\x63\x00", 8));
  EXPECT_EQ(readFile(dir.path() / "out/Wide.txt"), std::string("\xFF\xFE\x61\x00", 4));
  EXPECT_FALSE(fs::exists(dir.path() / "out/big.txt"));
  EXPECT_EQ(rowNames(outputs), (std::vector<std::string>{"abc.txt", "Wide.txt"}));
  EXPECT_EQ(prompter.messages,
            (std::vector<Message>{
                box("TXT文本过长!\r\n MP3播发器将不支持!", "TXT文件转换", MessageIcon::Warning),
                box("原文件打开失败!", "TXT文件转换", MessageIcon::Warning),
                box("转化完成!", "TXT文件转换", MessageIcon::Warning)}));
}

TEST(TextBatch, NothingToConvertAndOutputOverTheInput) {
  TempDir dir;
  writeFile(dir.path() / "a.txt", "abc");
  RecordingPrompter prompter;
  BatchControl control;
  FileEntryList outputs;
  EXPECT_EQ(runTextBatch(prompter, control, {}, dir.path().string(), outputs).result,
            BatchRunResult::NothingToConvert);
  EXPECT_EQ(prompter.messages,
            (std::vector<Message>{box("没有待转换文件或歌词目录、输出目录为空!", "TXT转换")}));
  Reports reports;
  runTextBatch(prompter, control, inputList({dir.path() / "a.txt"}), dir.path().string(), outputs,
               reports.observer());
  EXPECT_EQ(reports.statuses(), (std::vector{BatchFileStatus::OutputIsInput}));
  EXPECT_EQ(readFile(dir.path() / "a.txt"), "abc");
}

TEST(TextFileConversion, RefusedInputLeavesAnExistingOutputAsItWas) {
  TempDir dir;
  writeFile(dir.path() / "big.txt", std::string(1048577, 'a'));
  writeFile(dir.path() / "out.txt", "before");
  const std::string snapshot = readFile(dir.path() / "out.txt");
  RecordingPrompter prompter;
  EXPECT_EQ(convertTextFile(prompter, dir.path() / "big.txt", dir.path() / "out.txt"),
            TextFileResult::TooLarge);
  EXPECT_EQ(readFile(dir.path() / "out.txt"), snapshot);
  // An output that cannot be made is no message.
  RecordingPrompter quiet;
  writeFile(dir.path() / "small.txt", "abc");
  EXPECT_EQ(convertTextFile(quiet, dir.path() / "small.txt", dir.path() / "none/out.txt"),
            TextFileResult::NotWritten);
  EXPECT_TRUE(quiet.messages.empty());
}

}  // namespace
}  // namespace norva::lyr
