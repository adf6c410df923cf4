#pragma once
// What the batch converters (LRC to LYR, MP3 and lyric to MPR, text files to UTF-16) share: the
// report of each file, the stop request, and the rules that keep a run from destroying its own
// work. A run goes through its input list in order on the caller's thread; the stop request may
// come from a message box of the run or from another thread, and is tested before each file, so
// the file being converted is finished first.
//
// Two inputs of one name from different folders would make the same output: the later one is
// passed over (SameOutputName) instead of overwriting the earlier one's. An output that would
// replace an input of its own row is passed over too. The output list gets a row only for a
// file this run wrote, never for an older file of that name left by a failed conversion.
#include <atomic>
#include <cstddef>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "lyrics/file_entry_list.h"

namespace norva::lyr {

enum class BatchFileStatus {
  Written,         // converted; a row of the output list
  Failed,          // the converter refused it and said why
  Cancelled,       // Cancel in the layout warning passed it over
  LyricMissing,    // no lyric file of the chosen kind (passed over without a message)
  SameOutputName,  // an earlier input of this run makes an output of that name
  OutputIsInput,   // the output would replace one of the row's own inputs
  NameTooShort,    // fewer than four characters, so no extension to replace
};
const char* toString(BatchFileStatus status);

struct BatchFileReport {
  FileEntry input;
  std::filesystem::path output;
  BatchFileStatus status = BatchFileStatus::Failed;
  std::string detail;  // the converter's outcome, when it ran
};

enum class BatchRunResult {
  Finished,          // every row was taken in turn
  Stopped,           // a stop request ended the run between two files
  NothingToConvert,  // no row or no folder: refused before any file
  NoLyricKind,       // MPR run without a chosen lyric kind: refused
};
const char* toString(BatchRunResult result);

struct BatchRun {
  BatchRunResult result = BatchRunResult::NothingToConvert;
  size_t written = 0;
  size_t notWritten = 0;  // rows taken that wrote nothing, for any reason
};

// The state a dialog shares with its run: the stop request and the busy flag.
class BatchControl {
 public:
  void requestStop() { stop_.store(true); }
  bool stopRequested() const { return stop_.load(); }
  bool busy() const { return busy_.load(); }

  // The run's own marks: the request is cleared when a run starts.
  void startRun() {
    stop_.store(false);
    busy_.store(true);
  }
  void endRun() { busy_.store(false); }

 private:
  std::atomic<bool> stop_{false};
  std::atomic<bool> busy_{false};
};

using BatchFileObserver = std::function<void(const BatchFileReport&)>;

// A list row for the file at `path` as it is on disk; nothing when it is no regular file. A
// symbolic link stands for its target, as a shortcut does.
std::optional<FileEntry> fileEntryOnDisk(const std::filesystem::path& path);

// A folder as the converters join it with a name: ending in '/'. Empty stays empty.
std::string folderWithSeparator(std::string_view folder);

namespace batch_detail {

// The outputs a run has claimed so far, compared without regard to ASCII case (the player's
// FAT file system and the converters' own lists do not tell them apart).
class OutputClaims {
 public:
  // True the first time `name` is claimed.
  bool claim(std::string_view name);

 private:
  std::vector<std::string> names_;
};

// Adds a row for the written `output` (name, folder, size) to `outputs`, or refreshes the row
// of that name that an earlier run left there.
void addOutputRow(FileEntryList& outputs, std::string_view folder, std::string_view name);

// Takes the rows of `inputs` in order while no stop is requested: `convert` makes each row's
// report, which is counted and handed to `observer`. Marks `control` busy meanwhile.
BatchRun runRows(BatchControl& control, const FileEntryList& inputs,
                 const BatchFileObserver& observer,
                 const std::function<BatchFileReport(const FileEntry&)>& convert);

}  // namespace batch_detail

}  // namespace norva::lyr
