#include "lyrics/service/text_batch.h"

#include "base/service/file_identity.h"
#include "lyrics/lyrics_messages.h"
#include "lyrics/service/text_file_conversion.h"

namespace norva::lyr {

BatchRun runTextBatch(Prompter& prompter, BatchControl& control, const FileEntryList& inputs,
                      std::string_view outputFolder, FileEntryList& outputs,
                      const BatchFileObserver& observer) {
  BatchRun run;
  if (outputFolder.empty() || inputs.empty()) {
    tell(prompter, text::kNothingToConvert, text::kTextBatchCaption);
    return run;
  }
  const std::string folder = folderWithSeparator(outputFolder);
  batch_detail::OutputClaims claims;
  run = batch_detail::runRows(control, inputs, observer, [&](const FileEntry& input) {
    BatchFileReport report{input, folder + input.name, BatchFileStatus::Failed, {}};
    if (!claims.claim(input.name)) {
      report.status = BatchFileStatus::SameOutputName;
    } else if (isSameFile(input.path(), report.output)) {
      report.status = BatchFileStatus::OutputIsInput;
    } else {
      const TextFileResult result = convertTextFile(prompter, input.path(), report.output);
      report.detail = toString(result);
      if (result == TextFileResult::Converted || result == TextFileResult::Copied) {
        report.status = BatchFileStatus::Written;
        batch_detail::addOutputRow(outputs, folder, input.name);
      }
    }
    return report;
  });
  outputs.sortByName();
  tell(prompter, text::kTextBatchDone, text::kTextConverterCaption, MessageIcon::Warning);
  return run;
}

}  // namespace norva::lyr
