#pragma once
// DeviceLink: the one part of the device manager that talks to the player library. It owns
// the connection handle, the transfer timeouts, the per-drive cache and the uniform reporting
// of every device operation's failure:
// - no handle held: the library shows code 3, result 3;
// - a drive refresh that fails: the library's code is shown and returned;
// - a library call that fails: its code is returned; 0 counts as success, 14 (cancelled) is
//   returned without display (format, low-level format and firmware upgrade show it too),
//   any other code is shown;
// - success: 0.
#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "base/prompter.h"
#include "device/device_records.h"
#include "device/player_pane.h"
#include "device/service/device_host.h"
#include "device/service/device_settings.h"
#include "device/service/tcc730_functions.h"
#include "device/transfer_list.h"

namespace norva::device {

// A code of the library: 0 success, else TCC730_ERR_*.
using DeviceCode = uint32_t;
inline constexpr DeviceCode kCodeOk = TCC730_OK;
inline constexpr DeviceCode kCodeNoConnection = TCC730_ERR_NO_CONNECTION;
inline constexpr DeviceCode kCodeFile = TCC730_ERR_FILE;
inline constexpr DeviceCode kCodeNoMemory = TCC730_ERR_NO_MEMORY;
inline constexpr DeviceCode kCodeBadName = TCC730_ERR_BAD_NAME;
inline constexpr DeviceCode kCodeCancelled = TCC730_ERR_CANCELLED;
inline constexpr DeviceCode kCodeNoFont = TCC730_ERR_NO_FONT;
inline constexpr uint32_t kSystemErrorFileNotFound = 2;

struct Timeouts {
  uint32_t receive = 30000;
  uint32_t send = 20000;
  uint32_t format = 300000;
};

enum class FirmwareKind { CodecCode = 0, BootCode = 1 };

// An entry of a drive as the operations select it: its index in the last listing and the
// name it had there.
struct EntryRef {
  int index = -1;
  std::string name;
};

class DeviceLink {
 public:
  // Gives the library's function table, or null when it cannot be loaded (then `error` says
  // why). Called once, on first use.
  using LibrarySource = std::function<const Tcc730Functions*(std::string& error)>;
  static LibrarySource sharedLibrary();

  DeviceLink(Prompter& prompter, DeviceSettings& settings, LibrarySource library = sharedLibrary());
  ~DeviceLink();
  DeviceLink(const DeviceLink&) = delete;
  DeviceLink& operator=(const DeviceLink&) = delete;

  // Told before each file of a download or upload: how many files are done, how many there
  // are and the name of the next one. Called on the thread that runs the operation.
  using TransferProgress = std::function<void(size_t done, size_t total, const std::string& name)>;
  void setTransferProgress(TransferProgress progress) { progress_ = std::move(progress); }

  void setFileChooser(FileChooser* chooser) { chooser_ = chooser; }
  void setViewerLauncher(ViewerLauncher* launcher) { viewer_ = launcher; }

  // Connection.
  bool Initialize();  // false when the library cannot be loaded
  void Shutdown();
  void Close();
  bool Connect(bool readDrives, int& driveCount, int& driveMask);
  bool hasHandle() const { return handle_ != nullptr; }
  bool GetCapacity(int drive, uint64_t& totalBytes, uint64_t& freeBytes);
  std::optional<uint32_t> GetMediumFlags(int drive);
  std::optional<uint32_t> GetFileCount(int drive);
  std::optional<std::string> GetFirmwareVersion();  // at most 63 bytes
  // The medium record of a drive, nothing shown: no handle gives 3, a failing call the
  // library's code (record left as it was); 0 with the record filled.
  DeviceCode GetMediumInfo(int drive, MediumRecord& record);
  Timeouts timeouts() const { return timeouts_; }
  void setTimeouts(Timeouts timeouts);  // kept and handed to the library at once

  // Storage.
  bool ListDrive(int drive, TransferList& list, bool forceRead);
  DeviceCode DownloadFiles(void* owner, int drive, const TransferList& files);
  DeviceCode UploadFiles(void* owner, int drive, const std::string& targetFolder,
                         const TransferList& entries);
  // The delete question for a selection; true when answered Yes.
  bool confirmDelete(const std::vector<EntryRef>& selection);
  DeviceCode DeleteEntry(void* owner, int drive, int index, const std::string& name);
  // Re-reads the drive, finds the selected names again and deletes them lowest index first.
  DeviceCode DeleteEntries(void* owner, int drive, const std::vector<EntryRef>& selection);
  DeviceCode RenameEntry(int drive, const EntryRef& entry, const std::string& newName);
  DeviceCode SwapEntries(int drive, const EntryRef& entry, const EntryRef& other);
  // Up/Down of a selection; returns the moved entries' new indices (empty when nothing moved).
  std::vector<int> MoveUp(int drive, const std::vector<EntryRef>& selection);
  std::vector<int> MoveDown(int drive, const std::vector<EntryRef>& selection);
  // The format question (string 4007); true when answered Yes.
  bool confirmFormat(bool lowLevel);
  DeviceCode FormatDrive(void* owner, int drive);
  DeviceCode LowLevelFormatDrive(void* owner, int drive);
  DeviceCode ReadRawData(void* owner, int drive);

  // Firmware and fonts.
  DeviceCode UpgradeFirmware(void* owner, FirmwareKind kind);
  DeviceCode DownloadFont(void* owner);
  DeviceCode EraseFont(void* owner);
  DeviceCode UploadFont(void* owner, const std::string& targetFolder);
  DeviceCode ReadFontRecord(FontRecord& record);
  // The stored font without any message (status displays).
  std::optional<FontRecord> storedFont();

  // The cache of a drive as last read (tests, views).
  const std::vector<DirectoryEntry>& cachedEntries(int drive) const;
  const MediumSummary& cachedSummary(int drive) const;

 private:
  struct DriveCache {
    int entryCount = kCacheEntries;
    std::vector<DirectoryEntry> entries = std::vector<DirectoryEntry>(kCacheEntries);
    bool dirty = false;
    MediumSummary summary;
  };

  const Tcc730Functions* library();
  static bool validDrive(int drive) { return drive == 0 || drive == 1; }
  bool refreshDrive(int drive);
  // Refreshes a dirty (or forced) drive; on failure the library's code is shown and returned.
  DeviceCode freshDrive(void* owner, int drive, bool force);
  // The drive's summary is current (re-read quietly when dirty); false when it cannot be.
  bool summaryReady(int drive);
  DeviceCode noConnection(void* owner);
  DeviceCode report(void* owner, DeviceCode code, bool showCancelled = false);
  DeviceCode lastError();
  // Runs a long operation with the format timeout, restoring the receive timeout after.
  DeviceCode withLongTimeout(const std::function<int()>& call);
  // The index the named entry has now (the listed index when it still carries that name).
  std::optional<int> currentIndex(int drive, const EntryRef& entry) const;
  DeviceCode formatWith(void* owner, int drive, bool lowLevel);
  std::vector<int> moveEntries(int drive, const std::vector<EntryRef>& selection, bool up);
  Answer askOverwrite(const std::string& caption);
  void showText(const std::string& text, const std::string& caption, MessageIcon icon);
  static void displayThroughPrompter(void* owner, uint32_t code, uint32_t systemError,
                                     const char* text, void* context);

  Prompter& prompter_;
  DeviceSettings& settings_;
  LibrarySource source_;
  const Tcc730Functions* lib_ = nullptr;
  bool loadTried_ = false;
  FileChooser* chooser_ = nullptr;
  ViewerLauncher* viewer_ = nullptr;
  TransferProgress progress_;
  TCC730_HANDLE handle_ = nullptr;
  Timeouts timeouts_;
  std::array<DriveCache, kDriveCount> drives_;
};

// The player pane after a device change or at start: connects reading both drives; when that
// fails the pane shows no player unless `keepOnFailure` keeps what it had.
void RefreshPlayerPane(DeviceLink& link, PlayerPane& pane, bool keepOnFailure);

// After an upgrade: unless it was cancelled (14), tells the user to unplug and restart the
// player; true when the program should then close.
bool showUnplugNotice(Prompter& prompter, DeviceCode upgradeResult);

}  // namespace norva::device
