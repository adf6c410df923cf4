#include "lyrics/service/lrc_batch.h"

#include "base/file_names.h"
#include "base/service/file_identity.h"
#include "lyrics/lyrics_messages.h"
#include "lyrics/service/lyr_compiler.h"

namespace norva::lyr {
namespace {

constexpr size_t kExtensionCharacters = 4;

BatchFileReport convertRow(Prompter& prompter, const FileEntry& input, const std::string& folder,
                           batch_detail::OutputClaims& claims, FileEntryList& outputs) {
  const std::string outputName = lyrNameForLrc(input.name);
  BatchFileReport report{input, folder + outputName, BatchFileStatus::Failed, {}};
  if (input.name.size() < kExtensionCharacters) {
    report.status = BatchFileStatus::NameTooShort;
    return report;
  }
  if (!claims.claim(outputName)) {
    report.status = BatchFileStatus::SameOutputName;
    return report;
  }
  if (isSameFile(input.path(), report.output)) {
    report.status = BatchFileStatus::OutputIsInput;
    return report;
  }
  CLyrCompiler compiler(prompter);  // a fresh compiler for every file
  compiler.setCaption(input.name);
  const CompileStatus status = compiler.compileLrcFileToLyrFile(input.path(), report.output);
  switch (status) {
    case CompileStatus::Ok:
      report.status = BatchFileStatus::Written;
      batch_detail::addOutputRow(outputs, folder, outputName);
      break;
    case CompileStatus::Cancelled:
      report.status = BatchFileStatus::Cancelled;
      break;
    case CompileStatus::Failed:
      report.status = BatchFileStatus::Failed;
      report.detail = toString(compiler.error());
      break;
  }
  return report;
}

}  // namespace

std::string lyrNameForLrc(std::string_view lrcName) {
  return replaceLastCharacters(lrcName, kExtensionCharacters, ".lyr");
}

BatchRun runLrcBatch(Prompter& prompter, BatchControl& control, const FileEntryList& inputs,
                     std::string_view outputFolder, FileEntryList& outputs,
                     const BatchFileObserver& observer) {
  BatchRun run;
  if (outputFolder.empty() || inputs.empty()) {
    tell(prompter, text::kNothingToConvert, text::kLrcBatchCaption);
    return run;
  }
  const std::string folder = folderWithSeparator(outputFolder);
  batch_detail::OutputClaims claims;
  run = batch_detail::runRows(control, inputs, observer, [&](const FileEntry& input) {
    return convertRow(prompter, input, folder, claims, outputs);
  });
  outputs.sortByName();
  tell(prompter, text::kLrcBatchDone, text::kLrcBatchDoneCaption, MessageIcon::Warning);
  return run;
}

Message lrcBatchBusyMessage() {
  return Message{std::string(text::kLrcBatchBusy), std::string(text::kLrcBatchCaption),
                 MessageIcon::Information, MessageButtons::Ok};
}

}  // namespace norva::lyr
