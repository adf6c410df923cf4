#include "lyrics/service/batch_run.h"

#include <algorithm>
#include <system_error>

#include "base/file_names.h"

namespace norva::lyr {

const char* toString(BatchFileStatus status) {
  switch (status) {
    case BatchFileStatus::Written:
      return "done";
    case BatchFileStatus::Failed:
      return "skipped: not converted";
    case BatchFileStatus::Cancelled:
      return "skipped: cancelled at the layout warning";
    case BatchFileStatus::LyricMissing:
      return "skipped: no lyric file";
    case BatchFileStatus::SameOutputName:
      return "skipped: an earlier input makes an output of the same name";
    case BatchFileStatus::OutputIsInput:
      return "skipped: the output would replace the input";
    case BatchFileStatus::NameTooShort:
      return "skipped: the name is shorter than four characters";
  }
  return "?";
}

const char* toString(BatchRunResult result) {
  switch (result) {
    case BatchRunResult::Finished:
      return "finished";
    case BatchRunResult::Stopped:
      return "stopped";
    case BatchRunResult::NothingToConvert:
      return "nothing to convert";
    case BatchRunResult::NoLyricKind:
      return "no lyric kind chosen";
  }
  return "?";
}

std::optional<FileEntry> fileEntryOnDisk(const std::filesystem::path& path) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec)) return std::nullopt;
  const auto size = std::filesystem::file_size(path, ec);
  if (ec) return std::nullopt;
  return fileEntryOf(path.string(), size);
}

std::string folderWithSeparator(std::string_view folder) {
  std::string out(folder);
  if (!out.empty() && out.back() != '/') out += '/';
  return out;
}

namespace batch_detail {

bool OutputClaims::claim(std::string_view name) {
  const bool taken = std::any_of(names_.begin(), names_.end(), [&](const std::string& claimed) {
    return equalsIgnoringCase(claimed, name);
  });
  if (taken) return false;
  names_.emplace_back(name);
  return true;
}

void addOutputRow(FileEntryList& outputs, std::string_view folder, std::string_view name) {
  const std::optional<FileEntry> written = fileEntryOnDisk(std::string(folder) + std::string(name));
  if (!written) return;
  FileEntry row{std::string(name), std::string(folder), written->size};
  for (size_t i = 0; i < outputs.size(); ++i) {
    const FileEntry& old = outputs.entries()[i];
    if (equalsIgnoringCase(old.name, row.name) && equalsIgnoringCase(old.folder, row.folder)) {
      const size_t rows[] = {i};
      outputs.remove(rows);
      break;
    }
  }
  outputs.add(std::move(row));
}

BatchRun runRows(BatchControl& control, const FileEntryList& inputs,
                 const BatchFileObserver& observer,
                 const std::function<BatchFileReport(const FileEntry&)>& convert) {
  BatchRun run;
  run.result = BatchRunResult::Finished;
  control.startRun();
  for (const FileEntry& input : inputs.entries()) {
    if (control.stopRequested()) {
      run.result = BatchRunResult::Stopped;
      break;
    }
    const BatchFileReport report = convert(input);
    ++(report.status == BatchFileStatus::Written ? run.written : run.notWritten);
    if (observer) observer(report);
  }
  // A request made during the last file still ends the run as stopped.
  if (control.stopRequested()) run.result = BatchRunResult::Stopped;
  control.endRun();
  return run;
}

}  // namespace batch_detail

}  // namespace norva::lyr
