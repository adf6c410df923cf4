#pragma once
// The MPR converter's run (`CMprBatchDlg`, "MPR转换工具"): for every MP3 of the input list, the
// lyric of the chosen kind with the same base name (the MP3's name without its last four
// characters) is looked for in the lyric folder ("song.mp3" with LRC: "song.lrc") and merged
// with the MP3 into base + ".mpr" in the output folder. A row without its lyric file is passed
// over without a message; everything else that goes wrong is told where it happens. The output
// list is emptied when the run starts, gets the written files and is sorted by name; the run
// ends with "转化完毕!", or "已经取消!" after a stop request. See batch_run.h for the rules
// every run keeps.
#include <optional>
#include <string>
#include <string_view>

#include "base/prompter.h"
#include "lyrics/file_entry_list.h"
#include "lyrics/mpr_image.h"
#include "lyrics/service/batch_run.h"

namespace norva::lyr {

struct MprBatchFolders {
  std::string lyrics;
  std::string output;
};

// `kind` is the lyric kind of the dialog's three radio buttons: none chosen is refused.
BatchRun runMprBatch(Prompter& prompter, BatchControl& control, const FileEntryList& mp3s,
                     const MprBatchFolders& folders, std::optional<LyricKind> kind,
                     FileEntryList& outputs, const BatchFileObserver& observer = {});

// The lyric file's extension for a kind: ".tly", ".lyr" or ".lrc".
std::string_view lyricExtension(LyricKind kind);

// The box that refuses to close the dialog during a run.
Message mprBatchBusyMessage();

}  // namespace norva::lyr
