#include "lyrics/service/mpr_batch.h"

#include "base/file_names.h"
#include "base/service/file_identity.h"
#include "base/service/file_io.h"
#include "lyrics/lyrics_messages.h"
#include "lyrics/service/mpr_assembly.h"

namespace norva::lyr {
namespace {

constexpr size_t kExtensionCharacters = 4;

struct RowFolders {
  std::string lyrics;
  std::string output;
};

bool canOpen(const std::filesystem::path& path) {
  return readFilePart(path, 0, 0).has_value();
}

BatchFileReport convertRow(Prompter& prompter, const FileEntry& mp3, const RowFolders& folders,
                           LyricKind kind, batch_detail::OutputClaims& claims,
                           FileEntryList& outputs) {
  const std::string base = replaceLastCharacters(mp3.name, kExtensionCharacters, "");
  const std::string outputName = base + ".mpr";
  const std::string lyric = folders.lyrics + base + std::string(lyricExtension(kind));
  BatchFileReport report{mp3, folders.output + outputName, BatchFileStatus::Failed, {}};
  if (mp3.name.size() < kExtensionCharacters) {
    report.status = BatchFileStatus::NameTooShort;
    return report;
  }
  if (!canOpen(lyric)) {
    report.status = BatchFileStatus::LyricMissing;
    return report;
  }
  if (!claims.claim(outputName)) {
    report.status = BatchFileStatus::SameOutputName;
    return report;
  }
  if (isSameFile(mp3.path(), report.output) || isSameFile(lyric, report.output)) {
    report.status = BatchFileStatus::OutputIsInput;
    return report;
  }
  const MprOutcome outcome = convertToMpr(prompter, mp3.path(), lyric, report.output, outputName);
  report.detail = toString(outcome.result);
  switch (outcome.result) {
    case MprResult::Done:
      report.status = BatchFileStatus::Written;
      batch_detail::addOutputRow(outputs, folders.output, outputName);
      break;
    case MprResult::Cancelled:
      report.status = BatchFileStatus::Cancelled;
      break;
    default:
      report.status = BatchFileStatus::Failed;
      break;
  }
  return report;
}

}  // namespace

std::string_view lyricExtension(LyricKind kind) {
  switch (kind) {
    case LyricKind::TimedText:
      return ".tly";
    case LyricKind::Lyr:
      return ".lyr";
    case LyricKind::Lrc:
      return ".lrc";
  }
  return ".lyr";
}

BatchRun runMprBatch(Prompter& prompter, BatchControl& control, const FileEntryList& mp3s,
                     const MprBatchFolders& folders, std::optional<LyricKind> kind,
                     FileEntryList& outputs, const BatchFileObserver& observer) {
  if (folders.lyrics.empty() || folders.output.empty() || mp3s.empty()) {
    tell(prompter, text::kMprNothingToConvert, text::kMprBatchCaption);
    return BatchRun{BatchRunResult::NothingToConvert, 0, 0};
  }
  if (!kind) {
    tell(prompter, text::kMprChooseLyricKind, text::kMprBatchCaption);
    return BatchRun{BatchRunResult::NoLyricKind, 0, 0};
  }
  const RowFolders rowFolders{folderWithSeparator(folders.lyrics),
                              folderWithSeparator(folders.output)};
  outputs.clear();
  batch_detail::OutputClaims claims;
  const BatchRun run = batch_detail::runRows(control, mp3s, observer, [&](const FileEntry& mp3) {
    return convertRow(prompter, mp3, rowFolders, *kind, claims, outputs);
  });
  outputs.sortByName();
  const bool stopped = run.result == BatchRunResult::Stopped;
  tell(prompter, stopped ? text::kMprBatchStopped : text::kMprBatchDone, text::kMprBatchCaption,
       MessageIcon::Warning);
  return run;
}

Message mprBatchBusyMessage() {
  return Message{std::string(text::kMprBatchBusy), std::string(text::kMprBatchCaption),
                 MessageIcon::Information, MessageButtons::Ok};
}

}  // namespace norva::lyr
