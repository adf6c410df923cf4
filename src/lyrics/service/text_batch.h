#pragma once
// The text encoding converter's run ("TXT文件转换"): every row of the input list converted for
// the player (text_file_conversion.h) into the output folder under the same name, the written
// files added to the output list (which keeps the rows of earlier runs), the list sorted by
// name, and "转化完成!" at the end. See batch_run.h for the rules every run keeps.
#include <string_view>

#include "base/prompter.h"
#include "lyrics/file_entry_list.h"
#include "lyrics/service/batch_run.h"

namespace norva::lyr {

BatchRun runTextBatch(Prompter& prompter, BatchControl& control, const FileEntryList& inputs,
                      std::string_view outputFolder, FileEntryList& outputs,
                      const BatchFileObserver& observer = {});

}  // namespace norva::lyr
