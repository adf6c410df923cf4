#pragma once
// The WAV to MP3 converter's run, free of windows: the output folder check, and the worker that
// encodes the input rows one by one into the output folder.
//
// A run is begun on the caller's thread (the cancel request cleared and the running flag set
// before any worker exists), converted on a worker, and ended on the caller's thread again.
// Each source is encoded into a private temporary file ("$mp3tmp...", mode 0600, made
// exclusively in the temporary folder, removed on every path), which is then copied onto the
// target atomically: the target is either its old self or the whole new MP3.
//
// cancel() stops the encoder and sets the request. The file being converted is then never
// written: the request and the final rename of each target are taken under one lock, so a
// target either was complete before the cancel or is not touched at all, and a file of that
// name that was in the folder before the run stays as it was. Files finished before the cancel
// are kept. The encoder's failures are reported, and such a file gets no target.
//
// Two inputs of one name from different folders would make one target: the later is passed
// over (SameOutputName). A source that is gone by its turn is passed over as well.
#include <atomic>
#include <cstddef>
#include <mutex>
#include <string>
#include <string_view>

#include "audio/mp3_encoder.h"
#include "base/prompter.h"
#include "lyrics/file_entry_list.h"
#include "lyrics/service/batch_run.h"

namespace norva::audio {

enum class OutputFolderCheck {
  Usable,       // a folder in which this user can create a file
  TooShort,     // two characters or fewer
  NotAFolder,   // no folder (a symbolic link counts as its target)
  NotWritable,  // no new file can be created in it
};
const char* toString(OutputFolderCheck check);

// Checks the output folder as the user typed it, by creating a file of a fresh unique name in
// it exclusively and removing it again; no existing file is opened or touched.
OutputFolderCheck checkOutputFolder(std::string_view folderText);

// The messages of a run: the refused output folder, its end, closing while it runs.
Message outputFolderRefusedMessage();
Message conversionEndMessage(lyr::BatchRunResult result);
Message cancelFirstMessage();

class WavToMp3Run {
 public:
  explicit WavToMp3Run(Mp3Encoder& encoder) : encoder_(encoder) {}

  // The caller's thread, before the worker starts: clears the cancel request and sets the
  // running flag. False, and nothing changed, while a run goes on.
  bool begin();
  // The worker: converts the rows in order into `outputFolder` (a separator is added when
  // missing) until the last row or a cancel. Each row taken is reported to `observer` on the
  // worker's thread. Refused (NothingToConvert) unless begun.
  lyr::BatchRun convert(const lyr::FileEntryList& inputs, std::string_view outputFolder,
                        const lyr::BatchFileObserver& observer = {});
  // The caller's thread, after the worker has finished: clears the running flag.
  void end() { running_.store(false); }

  // Any thread: stops the encoder and asks the run to end.
  void cancel();
  bool cancelRequested() const;
  bool running() const { return running_.load(); }
  // The row being converted (0 before the first).
  size_t currentRow() const { return row_.load(); }

 private:
  lyr::BatchFileReport convertRow(const lyr::FileEntry& input, const std::string& folder,
                                  lyr::batch_detail::OutputClaims& claims);
  lyr::BatchFileStatus encodeAndPlace(const lyr::FileEntry& input,
                                      const std::filesystem::path& target, std::string& detail);

  Mp3Encoder& encoder_;
  std::atomic<bool> running_{false};
  std::atomic<size_t> row_{0};
  mutable std::mutex cancelLock_;  // the request, and the renames it must not cross
  bool cancelled_ = false;
};

}  // namespace norva::audio
