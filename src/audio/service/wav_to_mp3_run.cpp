#include "audio/service/wav_to_mp3_run.h"

#include <unistd.h>

#include <cstdlib>
#include <optional>
#include <system_error>

#include "audio/audio_messages.h"
#include "audio/wav_to_mp3_rules.h"
#include "base/service/file_identity.h"
#include "base/service/file_io.h"
#include "base/service/private_temp_file.h"
#include "base/service/staged_file.h"

namespace norva::audio {
namespace {

constexpr std::string_view kTemporaryPrefix = "$mp3tmp";
constexpr std::string_view kFolderProbePrefix = ".norva-probe-";
constexpr size_t kCopyPiece = size_t{1} << 20;

// Copies the encoded file into the staged target piece by piece; false on any failure.
bool copyInto(StagedFile& target, const std::filesystem::path& encoded, std::string& detail) {
  for (uint64_t offset = 0;;) {
    const std::optional<std::vector<uint8_t>> piece = readFilePart(encoded, offset, kCopyPiece);
    if (!piece) {
      detail = "the encoded file cannot be read back";
      return false;
    }
    if (piece->empty()) return true;
    if (!target.write(*piece)) {
      detail = target.error();
      return false;
    }
    offset += piece->size();
  }
}

}  // namespace

const char* toString(OutputFolderCheck check) {
  switch (check) {
    case OutputFolderCheck::Usable:
      return "usable";
    case OutputFolderCheck::TooShort:
      return "the folder's name is two characters or fewer";
    case OutputFolderCheck::NotAFolder:
      return "is not a folder";
    case OutputFolderCheck::NotWritable:
      return "no file can be created in the folder";
  }
  return "?";
}

OutputFolderCheck checkOutputFolder(std::string_view folderText) {
  if (!outputFolderTextLongEnough(folderText)) return OutputFolderCheck::TooShort;
  const std::string folder = lyr::folderWithSeparator(folderText);
  std::error_code ec;
  if (!std::filesystem::is_directory(folder, ec)) return OutputFolderCheck::NotAFolder;
  std::string probe = folder + std::string(kFolderProbePrefix) + "XXXXXX";
  const int fd = ::mkstemp(probe.data());  // a new name, created exclusively
  if (fd < 0) return OutputFolderCheck::NotWritable;
  ::close(fd);
  ::unlink(probe.c_str());
  return OutputFolderCheck::Usable;
}

Message outputFolderRefusedMessage() {
  return {std::string(text::kOutputFolderRefused), std::string(text::kOutputFolderCaption),
          MessageIcon::Error, MessageButtons::Ok};
}

Message conversionEndMessage(lyr::BatchRunResult result) {
  const std::string_view said =
      result == lyr::BatchRunResult::Stopped ? text::kConversionCancelled : text::kConversionDone;
  return {std::string(said), std::string(text::kConversionCaption), MessageIcon::Warning,
          MessageButtons::Ok};
}

Message cancelFirstMessage() {
  return {std::string(text::kCancelFirst), std::string(text::kCancelFirstCaption),
          MessageIcon::Information, MessageButtons::Ok};
}

bool WavToMp3Run::begin() {
  bool idle = false;
  if (!running_.compare_exchange_strong(idle, true)) return false;
  const std::lock_guard lock(cancelLock_);
  cancelled_ = false;
  row_.store(0);
  return true;
}

void WavToMp3Run::cancel() {
  {
    const std::lock_guard lock(cancelLock_);
    cancelled_ = true;
  }
  encoder_.stop();
}

bool WavToMp3Run::cancelRequested() const {
  const std::lock_guard lock(cancelLock_);
  return cancelled_;
}

lyr::BatchRun WavToMp3Run::convert(const lyr::FileEntryList& inputs, std::string_view outputFolder,
                                   const lyr::BatchFileObserver& observer) {
  lyr::BatchRun run;
  if (!running()) return run;
  run.result = lyr::BatchRunResult::Finished;
  const std::string folder = lyr::folderWithSeparator(outputFolder);
  lyr::batch_detail::OutputClaims claims;
  for (size_t row = 0; row < inputs.size(); ++row) {
    if (cancelRequested()) break;
    row_.store(row);
    const lyr::BatchFileReport report = convertRow(inputs.entries()[row], folder, claims);
    ++(report.status == lyr::BatchFileStatus::Written ? run.written : run.notWritten);
    if (observer) observer(report);
  }
  if (cancelRequested()) run.result = lyr::BatchRunResult::Stopped;
  return run;
}

lyr::BatchFileReport WavToMp3Run::convertRow(const lyr::FileEntry& input, const std::string& folder,
                                             lyr::batch_detail::OutputClaims& claims) {
  const std::string name = mp3NameForWav(input.name);
  lyr::BatchFileReport report{input, folder + name, lyr::BatchFileStatus::Failed, {}};
  if (!claims.claim(name)) {
    report.status = lyr::BatchFileStatus::SameOutputName;
  } else if (!lyr::fileEntryOnDisk(input.path())) {
    report.detail = "the source is gone";
  } else if (isSameFile(input.path(), report.output)) {
    report.status = lyr::BatchFileStatus::OutputIsInput;
  } else {
    report.status = encodeAndPlace(input, report.output, report.detail);
  }
  return report;
}

lyr::BatchFileStatus WavToMp3Run::encodeAndPlace(const lyr::FileEntry& input,
                                                 const std::filesystem::path& target,
                                                 std::string& detail) {
  const std::optional<PrivateTempFile> encoded = PrivateTempFile::create(kTemporaryPrefix);
  if (!encoded) {
    detail = "no temporary file can be made";
    return lyr::BatchFileStatus::Failed;
  }
  const EncodeOutcome outcome = encoder_.encode(input.path(), encoded->path());
  if (outcome != EncodeOutcome::Encoded) {
    detail = toString(outcome);
    return lyr::BatchFileStatus::Failed;
  }
  StagedFile staged(target);
  if (!staged.ok() || !copyInto(staged, encoded->path(), detail)) {
    if (detail.empty()) detail = staged.error();
    return lyr::BatchFileStatus::Failed;
  }
  const std::lock_guard lock(cancelLock_);
  if (cancelled_) {
    detail = toString(EncodeOutcome::Stopped);
    return lyr::BatchFileStatus::Failed;  // the staged copy goes with `staged`
  }
  if (!staged.commit()) {
    detail = staged.error();
    return lyr::BatchFileStatus::Failed;
  }
  return lyr::BatchFileStatus::Written;
}

}  // namespace norva::audio
