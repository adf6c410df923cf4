// DeviceLink's operations on the stored files of a drive.
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>

#include "device/device_messages.h"
#include "device/service/device_link.h"
#include "device/storage_rules.h"

namespace norva::device {
namespace {

bool pathExists(const std::string& path) {
  std::error_code ec;
  return std::filesystem::exists(path, ec);
}

std::string formatted(std::string_view pattern, const std::string& value) {
  const auto at = pattern.find("%s");
  if (at == std::string_view::npos) return std::string(pattern);
  std::string text(pattern.substr(0, at));
  text += value;
  text += pattern.substr(at + 2);
  return text;
}

}  // namespace

bool DeviceLink::ListDrive(int drive, TransferList& list, bool forceRead) {
  if (handle_ == nullptr || !validDrive(drive)) return false;
  DriveCache& cache = drives_[static_cast<size_t>(drive)];
  if ((forceRead || cache.dirty) && freshDrive(nullptr, drive, true) != kCodeOk) return false;
  if (cache.summary.totalBlocks == 0) return false;
  for (int i = 0; i < cache.entryCount; ++i) {
    const DirectoryEntry& entry = cache.entries[static_cast<size_t>(i)];
    list.add(TransferItem{entry.displayName(), i, entry.size(), {}});
  }
  return true;
}

DeviceCode DeviceLink::DownloadFiles(void* owner, int drive, const TransferList& files) {
  // Every file is checked before anything is sent.
  for (const TransferItem& item : files.items()) {
    if (pathCharacters(item.text) > kMaxPathCharacters) {
      showText(kPathTooLongText, "", MessageIcon::Error);
      return kCodeFile;
    }
    struct stat info {};
    if (::stat(item.text.c_str(), &info) != 0) {
      const int error = errno;
      showText(std::strerror(error), "", MessageIcon::Error);
      if (error != 0) return kCodeFile;
      continue;
    }
    if (S_ISDIR(info.st_mode)) {
      showText(item.text + "\n" + kCannotDownloadFolder, "", MessageIcon::Warning);
      return kCodeFile;
    }
  }
  if (handle_ == nullptr) return noConnection(owner);
  if (!validDrive(drive)) return report(owner, TCC730_ERR_BAD_DRIVE);
  DeviceCode code = kCodeOk;
  size_t done = 0;
  for (const TransferItem& item : files.items()) {
    if (handle_ == nullptr) {
      code = kCodeNoConnection;
      break;
    }
    if (progress_) progress_(done++, files.size(), std::string(fileNamePart(item.text)));
    if (!lib_->Download(owner, handle_, drive, item.text.c_str())) {
      code = lastError();
      if (code != kCodeOk) break;
    }
  }
  drives_[static_cast<size_t>(drive)].dirty = true;
  return report(owner, code);
}

DeviceCode DeviceLink::UploadFiles(void* owner, int drive, const std::string& targetFolder,
                                   const TransferList& entries) {
  if (handle_ == nullptr) return noConnection(owner);
  if (!validDrive(drive)) return report(owner, TCC730_ERR_BAD_DRIVE);
  const int adpcm = static_cast<int>(settings_.integer(kAdpcmConvertKey, 0));
  const int tvf = static_cast<int>(settings_.integer(kTvfConvertKey, 0));
  DeviceCode code = kCodeOk;
  size_t done = 0;
  for (const TransferItem& item : entries.items()) {
    if (progress_) progress_(done++, entries.size(), item.text);
    if (!isSafePlayerName(item.text)) {
      showText(kUnsafePlayerName + item.text, kPlayerErrorCaption, MessageIcon::Error);
      code = kCodeBadName;
      break;
    }
    const UploadPlan plan = planUpload(item.text, adpcm, tvf);
    const std::string target = joinTarget(targetFolder, plan.targetName);
    if (pathExists(target)) {
      const Answer answer = askOverwrite(target);
      if (answer == Answer::Cancel) {
        code = kCodeCancelled;
        break;
      }
      if (answer != Answer::Yes) continue;
    }
    const bool converting = plan.conversion != UploadConversion::None;
    if (!lib_->Upload(owner, handle_, drive, item.index, target.c_str(),
                      converting ? item.text.c_str() : nullptr, item.size,
                      static_cast<int>(plan.conversion))) {
      code = lastError();
      if (code != kCodeOk) break;
    }
  }
  drives_[static_cast<size_t>(drive)].dirty = true;
  return code == kCodeBadName ? code : report(owner, code);
}

bool DeviceLink::confirmDelete(const std::vector<EntryRef>& selection) {
  if (selection.empty()) return false;
  const std::string text = selection.size() == 1
                               ? formatted(kDeleteOneQuestion, selection.front().name)
                               : std::string(kDeleteSelectedQuestion);
  return prompter_.show(Message{text, kDeleteCaption, MessageIcon::Information,
                                MessageButtons::YesNo}) == Answer::Yes;
}

DeviceCode DeviceLink::DeleteEntry(void* owner, int drive, int index, const std::string& name) {
  if (handle_ == nullptr) return noConnection(owner);
  if (!validDrive(drive)) return report(owner, TCC730_ERR_BAD_DRIVE);
  const DeviceCode code =
      lib_->Delete(owner, handle_, drive, index, name.c_str()) ? kCodeOk : lastError();
  if (code == kCodeOk) drives_[static_cast<size_t>(drive)].dirty = true;
  return report(owner, code);
}

DeviceCode DeviceLink::DeleteEntries(void* owner, int drive,
                                     const std::vector<EntryRef>& selection) {
  if (handle_ == nullptr) return noConnection(owner);
  if (!validDrive(drive)) return report(owner, TCC730_ERR_BAD_DRIVE);
  if (const DeviceCode code = freshDrive(owner, drive, true); code != kCodeOk) return code;
  // Entries another program removed since the listing are gone already: nothing to delete.
  std::vector<EntryRef> targets;
  for (const EntryRef& entry : selection)
    if (const auto index = currentIndex(drive, entry)) targets.push_back({*index, entry.name});
  std::sort(targets.begin(), targets.end(),
            [](const EntryRef& a, const EntryRef& b) { return a.index < b.index; });
  std::vector<int> indices;
  for (const EntryRef& entry : targets) indices.push_back(entry.index);
  DeletionOrder order(indices);
  for (const EntryRef& entry : targets) {
    const DeviceCode code = DeleteEntry(owner, drive, order.current(), entry.name);
    if (code != kCodeOk) return code;
    order.deleted();
  }
  return kCodeOk;
}

DeviceCode DeviceLink::RenameEntry(int drive, const EntryRef& entry, const std::string& newName) {
  if (handle_ == nullptr) return noConnection(nullptr);
  if (!validDrive(drive)) return report(nullptr, TCC730_ERR_BAD_DRIVE);
  if (const DeviceCode code = freshDrive(nullptr, drive, true); code != kCodeOk) return code;
  DeviceCode code = TCC730_ERR_STALE_ENTRY;
  if (const auto index = currentIndex(drive, entry)) {
    const DirectoryEntry& cached =
        drives_[static_cast<size_t>(drive)].entries[static_cast<size_t>(*index)];
    code = lib_->Rename(handle_, drive, *index, newName.c_str(), cached.bytes().data())
               ? kCodeOk
               : lastError();
  }
  drives_[static_cast<size_t>(drive)].dirty = true;
  return report(nullptr, code);
}

DeviceCode DeviceLink::SwapEntries(int drive, const EntryRef& entry, const EntryRef& other) {
  if (handle_ == nullptr) return noConnection(nullptr);
  if (!validDrive(drive)) return report(nullptr, TCC730_ERR_BAD_DRIVE);
  if (const DeviceCode code = freshDrive(nullptr, drive, true); code != kCodeOk) return code;
  DeviceCode code = TCC730_ERR_STALE_ENTRY;
  const auto first = currentIndex(drive, entry);
  const auto second = currentIndex(drive, other);
  if (first && second && *second - *first == other.index - entry.index) {
    code =
        lib_->ReplaceNamed(handle_, drive, *first, *second, entry.name.c_str(), other.name.c_str())
            ? kCodeOk
            : lastError();
  }
  drives_[static_cast<size_t>(drive)].dirty = true;
  return report(nullptr, code);
}

std::vector<int> DeviceLink::moveEntries(int drive, const std::vector<EntryRef>& selection,
                                         bool up) {
  if (handle_ == nullptr || !validDrive(drive)) return {};
  if (freshDrive(nullptr, drive, true) != kCodeOk) return {};
  std::vector<int> indices;
  for (const EntryRef& entry : selection)
    if (const auto index = currentIndex(drive, entry)) indices.push_back(*index);
  const DriveCache& cache = drives_[static_cast<size_t>(drive)];
  const auto swaps = up ? planMoveUp(indices) : planMoveDown(indices, cache.entryCount);
  std::vector<int> moved;
  for (const auto& [index, neighbour] : swaps) {
    if (freshDrive(nullptr, drive, false) != kCodeOk) break;  // each swap re-lists the drive
    if (static_cast<size_t>(std::max(index, neighbour)) >= cache.entries.size()) break;
    const EntryRef from{index, cache.entries[static_cast<size_t>(index)].displayName()};
    const EntryRef to{neighbour, cache.entries[static_cast<size_t>(neighbour)].displayName()};
    if (SwapEntries(drive, from, to) != kCodeOk) break;
    moved.push_back(neighbour);
  }
  return moved;
}

std::vector<int> DeviceLink::MoveUp(int drive, const std::vector<EntryRef>& selection) {
  return moveEntries(drive, selection, true);
}

std::vector<int> DeviceLink::MoveDown(int drive, const std::vector<EntryRef>& selection) {
  return moveEntries(drive, selection, false);
}

bool DeviceLink::confirmFormat(bool lowLevel) {
  return prompter_.show(Message{kFormatQuestion, lowLevel ? kLowLevelFormatCaption : kFormatCaption,
                                MessageIcon::Question, MessageButtons::YesNo}) == Answer::Yes;
}

DeviceCode DeviceLink::FormatDrive(void* owner, int drive) {
  return formatWith(owner, drive, false);
}

DeviceCode DeviceLink::LowLevelFormatDrive(void* owner, int drive) {
  return formatWith(owner, drive, true);
}

DeviceCode DeviceLink::formatWith(void* owner, int drive, bool lowLevel) {
  if (handle_ == nullptr) return noConnection(owner);
  if (!validDrive(drive)) return report(owner, TCC730_ERR_BAD_DRIVE, true);
  const auto format = lowLevel ? lib_->FormatLow : lib_->Format;
  const DeviceCode code = withLongTimeout([&] { return format(owner, handle_, drive); });
  drives_[static_cast<size_t>(drive)].dirty = true;
  return report(owner, code, true);
}

DeviceCode DeviceLink::ReadRawData(void* owner, int drive) {
  const std::string file = settings_.text(kRawDataFileNameKey);
  if (file.empty()) {
    showText(kRawDataNotSpecified, "", MessageIcon::None);
    return kCodeCancelled;
  }
  if (validDrive(drive)) {
    if (handle_ == nullptr) return noConnection(owner);
    if (const DeviceCode code = freshDrive(owner, drive, false); code != kCodeOk) return code;
    const int64_t first = settings_.integer(kRawDataAddrKey, 0);
    const int64_t count = settings_.integer(kRawDataCountKey, 1);
    const uint64_t total = drives_[static_cast<size_t>(drive)].summary.totalBlocks;
    if (checkRawRange(first, count, total) != RawRangeCheck::Valid) {
      showText(kRawDataRangeExceeded, "", MessageIcon::None);
      return kCodeCancelled;
    }
    Answer answer = Answer::Yes;
    if (pathExists(file)) answer = askOverwrite(file);
    if (answer == Answer::Cancel) return kCodeCancelled;
    if (answer == Answer::Yes) {
      const auto firstBlock = static_cast<uint32_t>(first);
      const auto blocks = static_cast<uint32_t>(count);
      const DeviceCode code = lib_->UploadRawData(owner, handle_, drive, firstBlock, blocks,
                                                  file.c_str(), 0, blocks * kBlockSize)
                                  ? kCodeOk
                                  : lastError();
      if (code != kCodeOk) return report(owner, code);
    }
  }
  const std::string viewer = settings_.text(kRawDataViewerKey);
  if (viewer.empty()) return kCodeOk;
  if (!pathExists(file)) {
    if (const Tcc730Functions* lib = library())
      lib->DispError(owner, kCodeFile, kSystemErrorFileNotFound);
    return kCodeFile;
  }
  if (viewer_ != nullptr) viewer_->start(viewer, {file});
  return kCodeOk;
}

}  // namespace norva::device
