#include "device/service/device_link.h"

#include <algorithm>

#include "device/device_messages.h"
#include "device/service/tcc730_loader.h"

namespace norva::device {

DeviceLink::LibrarySource DeviceLink::sharedLibrary() {
  return [](std::string& error) {
    const LoadedLibrary& loaded = loadTcc730Library();
    error = loaded.error;
    return loaded.functions;
  };
}

DeviceLink::DeviceLink(Prompter& prompter, DeviceSettings& settings, LibrarySource library)
    : prompter_(prompter), settings_(settings), source_(std::move(library)) {}

DeviceLink::~DeviceLink() {
  if (lib_ != nullptr) lib_->SetDisplayCallback(nullptr, nullptr);
}

const Tcc730Functions* DeviceLink::library() {
  if (!loadTried_) {
    loadTried_ = true;
    std::string error;
    lib_ = source_(error);
    if (lib_ == nullptr)
      showText(std::string(kLibraryMissing) + error, kPlayerErrorCaption, MessageIcon::Error);
    else
      lib_->SetDisplayCallback(&DeviceLink::displayThroughPrompter, this);
  }
  return lib_;
}

void DeviceLink::displayThroughPrompter(void* /*owner*/, uint32_t /*code*/,
                                        uint32_t /*systemError*/, const char* text, void* context) {
  auto* self = static_cast<DeviceLink*>(context);
  self->showText(text != nullptr ? text : "", kPlayerErrorCaption, MessageIcon::Error);
}

void DeviceLink::showText(const std::string& text, const std::string& caption, MessageIcon icon) {
  prompter_.show(Message{text, caption, icon, MessageButtons::Ok});
}

Answer DeviceLink::askOverwrite(const std::string& caption) {
  return prompter_.show(
      Message{kOverwriteQuestion, caption, MessageIcon::Question, MessageButtons::YesNoCancel});
}

bool DeviceLink::Initialize() {
  handle_ = nullptr;
  auto read = [&](SettingKey key, uint32_t fallback) {
    const int64_t value = settings_.integer(key, fallback);
    return value < 0 || value > UINT32_MAX ? fallback : static_cast<uint32_t>(value);
  };
  const Timeouts defaults;
  timeouts_.receive = read(kTimeoutReceiveKey, defaults.receive);
  timeouts_.send = read(kTimeoutSendKey, defaults.send);
  timeouts_.format = read(kTimeoutFormatKey, defaults.format);
  const Tcc730Functions* lib = library();
  if (lib == nullptr) return false;
  lib->SetTimeout(timeouts_.receive, timeouts_.send);
  return true;
}

void DeviceLink::Shutdown() {
  settings_.setInteger(kTimeoutReceiveKey, timeouts_.receive);
  settings_.setInteger(kTimeoutSendKey, timeouts_.send);
  settings_.setInteger(kTimeoutFormatKey, timeouts_.format);
  settings_.sync();
  Close();
  if (lib_ != nullptr) lib_->Free(nullptr);
}

void DeviceLink::Close() {
  if (handle_ == nullptr || lib_ == nullptr) return;
  TCC730_HANDLE old = handle_;
  handle_ = nullptr;
  lib_->Close(old);
}

void DeviceLink::setTimeouts(Timeouts timeouts) {
  timeouts_ = timeouts;
  if (const Tcc730Functions* lib = library()) lib->SetTimeout(timeouts_.receive, timeouts_.send);
}

bool DeviceLink::Connect(bool readDrives, int& driveCount, int& driveMask) {
  const Tcc730Functions* lib = library();
  if (lib == nullptr) return false;
  if (lib->IsValidHandle(handle_)) {
    if (lib->TestConnection()) return true;
    Close();
  } else if (!lib->TestConnection()) {
    return false;
  }
  TCC730_HANDLE opened = nullptr;
  if (!lib->Open(&opened)) return false;
  handle_ = opened;
  if (!readDrives) {
    driveCount = 0;
    driveMask = 0;
    return true;
  }
  int mask = 0;
  for (int drive = 0; drive < kDriveCount; ++drive) {
    drives_[static_cast<size_t>(drive)].entryCount = kCacheEntries;
    if (refreshDrive(drive)) mask |= 1 << drive;
    drives_[static_cast<size_t>(drive)].dirty = false;
  }
  driveMask = mask;
  driveCount = kDriveCount;
  return handle_ != nullptr;
}

bool DeviceLink::refreshDrive(int drive) {
  DriveCache& cache = drives_[static_cast<size_t>(drive)];
  std::array<uint8_t, kMediumRecordSize> record{};
  std::vector<uint8_t> raw(kDirectoryEntrySize * kCacheEntries, 0);
  std::array<uint32_t, kSummaryWords> words{};
  int count = 0;
  const bool ok =
      lib_->GetMediumInfo(handle_, drive, record.data()) &&
      lib_->ReadDirectory(handle_, drive, raw.data(), kCacheEntries, &count, words.data());
  if (!ok && lib_->GetError() == TCC730_ERR_UNFORMATTED) {
    // A medium without a file system still reports what it is (present, writable, its
    // size): keep that, so the view can say "Not Formated" and offer Format.
    cache = DriveCache{};
    cache.entryCount = 0;
    cache.entries.clear();
    cache.summary = MediumSummary::fromWords(words);
    cache.dirty = false;
    return false;
  }
  if (!ok || count < 0 || count > kCacheEntries) {
    cache = DriveCache{};
    cache.dirty = true;  // nothing usable: the next use tries again
    return false;
  }
  cache.entryCount = count;
  cache.summary = MediumSummary::fromWords(words);
  cache.entries.assign(static_cast<size_t>(count), DirectoryEntry{});
  for (size_t i = 0; i < static_cast<size_t>(count); ++i) {
    cache.entries[i] = DirectoryEntry(std::span<const uint8_t, kDirectoryEntrySize>(
        raw.data() + i * kDirectoryEntrySize, kDirectoryEntrySize));
    cache.entries[i].trimShortName();
  }
  cache.dirty = false;
  return true;
}

DeviceCode DeviceLink::freshDrive(void* owner, int drive, bool force) {
  DriveCache& cache = drives_[static_cast<size_t>(drive)];
  if (!force && !cache.dirty) return kCodeOk;
  if (refreshDrive(drive)) return kCodeOk;
  const DeviceCode code = lastError();
  lib_->DispError(owner, code, lib_->GetWindowsError());
  return code;
}

DeviceCode DeviceLink::noConnection(void* owner) {
  if (const Tcc730Functions* lib = library()) lib->DispError(owner, kCodeNoConnection, 0);
  return kCodeNoConnection;
}

DeviceCode DeviceLink::lastError() {
  return lib_ != nullptr ? lib_->GetError() : kCodeNoConnection;
}

DeviceCode DeviceLink::report(void* owner, DeviceCode code, bool showCancelled) {
  if (code == kCodeOk) return code;
  if (code == kCodeCancelled && !showCancelled) return code;
  lib_->DispError(owner, code, lib_->GetWindowsError());
  return code;
}

DeviceCode DeviceLink::withLongTimeout(const std::function<int()>& call) {
  lib_->SetTimeout(timeouts_.format, timeouts_.send);
  const DeviceCode code = call() ? kCodeOk : lastError();
  lib_->SetTimeout(timeouts_.receive, timeouts_.send);
  return code;
}

bool DeviceLink::summaryReady(int drive) {
  if (handle_ == nullptr || !validDrive(drive)) return false;
  return !drives_[static_cast<size_t>(drive)].dirty || refreshDrive(drive);
}

bool DeviceLink::GetCapacity(int drive, uint64_t& totalBytes, uint64_t& freeBytes) {
  if (!summaryReady(drive)) return false;
  const MediumSummary& summary = drives_[static_cast<size_t>(drive)].summary;
  totalBytes = summary.totalBytes();
  freeBytes = summary.freeBytes();
  return true;
}

std::optional<uint32_t> DeviceLink::GetMediumFlags(int drive) {
  if (!summaryReady(drive)) return std::nullopt;
  return drives_[static_cast<size_t>(drive)].summary.flags;
}

std::optional<uint32_t> DeviceLink::GetFileCount(int drive) {
  if (!summaryReady(drive)) return std::nullopt;
  const MediumSummary& summary = drives_[static_cast<size_t>(drive)].summary;
  if (summary.totalBlocks == 0) return std::nullopt;
  return summary.fileCount;
}

std::optional<std::string> DeviceLink::GetFirmwareVersion() {
  const Tcc730Functions* lib = library();
  if (lib == nullptr) return std::nullopt;
  const char* text = lib->GetFirmwareVersionString();
  if (text == nullptr) return std::nullopt;
  std::string version(text);
  constexpr size_t kVersionKept = 63;
  if (version.size() > kVersionKept) version.resize(kVersionKept);
  return version;
}

DeviceCode DeviceLink::GetMediumInfo(int drive, MediumRecord& record) {
  if (handle_ == nullptr || lib_ == nullptr) return kCodeNoConnection;
  std::array<uint8_t, kMediumRecordSize> raw{};
  if (!lib_->GetMediumInfo(handle_, drive, raw.data())) {
    const DeviceCode code = lastError();
    return code != kCodeOk ? code : DeviceCode{TCC730_ERR_GENERAL};
  }
  record = MediumRecord::parse(raw);
  return kCodeOk;
}

const std::vector<DirectoryEntry>& DeviceLink::cachedEntries(int drive) const {
  return drives_.at(static_cast<size_t>(drive)).entries;
}

const MediumSummary& DeviceLink::cachedSummary(int drive) const {
  return drives_.at(static_cast<size_t>(drive)).summary;
}

std::optional<int> DeviceLink::currentIndex(int drive, const EntryRef& entry) const {
  const auto& entries = drives_[static_cast<size_t>(drive)].entries;
  if (entry.index >= 0 && static_cast<size_t>(entry.index) < entries.size() &&
      entries[static_cast<size_t>(entry.index)].displayName() == entry.name)
    return entry.index;
  const auto found = std::find_if(entries.begin(), entries.end(), [&](const DirectoryEntry& e) {
    return e.displayName() == entry.name;
  });
  if (found == entries.end()) return std::nullopt;
  return static_cast<int>(found - entries.begin());
}

void RefreshPlayerPane(DeviceLink& link, PlayerPane& pane, bool keepOnFailure) {
  if (!link.Connect(true, pane.driveCount, pane.driveMask) && !keepOnFailure) pane.driveCount = 0;
}

bool showUnplugNotice(Prompter& prompter, DeviceCode upgradeResult) {
  if (upgradeResult == kCodeCancelled) return false;
  prompter.show(Message{std::string(kUnplugUsb) + "\n" + kRestartPlayer, kRestartPlayer,
                        MessageIcon::Warning, MessageButtons::Ok});
  return true;
}

}  // namespace norva::device
