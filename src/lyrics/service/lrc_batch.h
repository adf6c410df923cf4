#pragma once
// The LRC converter's run (`CLrcBatchDlg`, "LRC-->LYR"): every row of the input list compiled
// by a fresh compiler whose layout warning carries the file's name, into the output folder
// under the name with its last four characters replaced by ".lyr" ("lyrics.txt.lrc" gives
// "lyrics.txt.lyr"). Compile errors are shown by the compiler, Cancel in a layout warning
// passes the row over silently. Written files are added to the output list, which keeps the
// rows of earlier runs, and sorted by name; "转化完成." ends the run. See batch_run.h for the
// rules every run keeps.
#include <string>
#include <string_view>

#include "base/prompter.h"
#include "lyrics/file_entry_list.h"
#include "lyrics/service/batch_run.h"

namespace norva::lyr {

BatchRun runLrcBatch(Prompter& prompter, BatchControl& control, const FileEntryList& inputs,
                     std::string_view outputFolder, FileEntryList& outputs,
                     const BatchFileObserver& observer = {});

// The name the converter gives the LYR file of an LRC file.
std::string lyrNameForLrc(std::string_view lrcName);

// The box that refuses to close the dialog during a run.
Message lrcBatchBusyMessage();

}  // namespace norva::lyr
