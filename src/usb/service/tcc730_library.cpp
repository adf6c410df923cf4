// The C interface of our player library (tcc730.h) over the simulated player. Only the
// TCC730_ and TCC730X_ functions leave the shared library (see tcc730_exports.map).
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <mutex>

#include "usb/service/simulated_player.h"
#include "usb/tcc730.h"
#include "usb/usb_messages.h"

namespace {

using norva::usb::Conversion;
using norva::usb::PlayerError;
using norva::usb::PlayerResult;
using norva::usb::SimulatedPlayer;

constexpr uint32_t kDefaultReceiveMs = 30000;

// One open connection: the player folder it was opened on.
struct Connection {
  std::filesystem::path folder;
};

struct LibraryState {
  std::mutex mutex;
  std::map<const void*, std::unique_ptr<Connection>> connections;
  uint32_t receiveMs = kDefaultReceiveMs;
  uint32_t sendMs = 0;
  TCC730X_DisplayCallback display = nullptr;
  void* displayContext = nullptr;
};

LibraryState& state() {
  static LibraryState instance;
  return instance;
}

thread_local uint32_t tLastError = TCC730_OK;
thread_local uint32_t tLastSystemError = 0;
thread_local std::string tFirmwareVersion;

int succeed() {
  tLastError = TCC730_OK;
  tLastSystemError = 0;
  return 1;
}

int fail(PlayerError error, int systemError = 0) {
  tLastError = static_cast<uint32_t>(error);
  tLastSystemError = static_cast<uint32_t>(systemError);
  return 0;
}

int report(const PlayerResult& result) {
  return result.ok() ? succeed() : fail(result.error, result.systemError);
}

// The player behind an open handle, or nothing (NoConnection reported) for any other value.
std::unique_ptr<SimulatedPlayer> playerOf(TCC730_HANDLE handle) {
  LibraryState& library = state();
  std::lock_guard lock(library.mutex);
  const auto found = library.connections.find(handle);
  if (handle == nullptr || found == library.connections.end()) {
    fail(PlayerError::NoConnection);
    return nullptr;
  }
  auto player = std::make_unique<SimulatedPlayer>(found->second->folder);
  player->setLockTimeout(std::chrono::milliseconds(library.receiveMs));
  return player;
}

template <typename Operation>
int withPlayer(TCC730_HANDLE handle, Operation operation) {
  const auto player = playerOf(handle);
  if (!player) return 0;
  try {
    return report(operation(*player));
  } catch (const std::bad_alloc&) {
    return fail(PlayerError::NoMemory, ENOMEM);
  } catch (const std::exception&) {
    return fail(PlayerError::General);
  }
}

std::string_view textOrEmpty(const char* text) {
  return text ? std::string_view(text) : std::string_view{};
}

}  // namespace

#define TCC730_EXPORT extern "C" __attribute__((visibility("default")))

TCC730_EXPORT void TCC730_SetTimeout(uint32_t receiveMs, uint32_t sendMs) {
  LibraryState& library = state();
  std::lock_guard lock(library.mutex);
  library.receiveMs = receiveMs;
  library.sendMs = sendMs;
}

TCC730_EXPORT int TCC730_Open(TCC730_HANDLE* handle) {
  if (handle == nullptr) return fail(PlayerError::General, EINVAL);
  *handle = nullptr;
  const SimulatedPlayer player(SimulatedPlayer::defaultFolder());
  if (!player.exists()) return fail(PlayerError::NoConnection);
  if (!player.isAttached()) return fail(PlayerError::NotAttached);
  auto connection = std::make_unique<Connection>(Connection{player.folder()});
  LibraryState& library = state();
  std::lock_guard lock(library.mutex);
  *handle = connection.get();
  library.connections.emplace(connection.get(), std::move(connection));
  return succeed();
}

TCC730_EXPORT void TCC730_Close(TCC730_HANDLE handle) {
  LibraryState& library = state();
  std::lock_guard lock(library.mutex);
  library.connections.erase(handle);
}

TCC730_EXPORT int TCC730_IsValidHandle(TCC730_HANDLE handle) {
  LibraryState& library = state();
  std::lock_guard lock(library.mutex);
  return handle != nullptr && library.connections.count(handle) != 0 ? 1 : 0;
}

TCC730_EXPORT int TCC730_TestConnection(void) {
  return SimulatedPlayer(SimulatedPlayer::defaultFolder()).isAttached() ? 1 : 0;
}

TCC730_EXPORT void TCC730_Free(void*) {
  LibraryState& library = state();
  std::lock_guard lock(library.mutex);
  library.connections.clear();
  library.display = nullptr;
  library.displayContext = nullptr;
}

TCC730_EXPORT int TCC730_GetMediumInfo(TCC730_HANDLE handle, int drive, uint8_t* record) {
  if (record == nullptr) return fail(PlayerError::General, EINVAL);
  return withPlayer(handle, [&](SimulatedPlayer& player) {
    norva::usb::MediumRecord filled{};
    const PlayerResult result = player.mediumRecord(drive, filled);
    if (result.ok()) std::memcpy(record, filled.data(), filled.size());
    return result;
  });
}

TCC730_EXPORT uint32_t TCC730_GetError(void) {
  return tLastError;
}

TCC730_EXPORT uint32_t TCC730_GetWindowsError(void) {
  return tLastSystemError;
}

TCC730_EXPORT const char* TCC730X_ErrorText(uint32_t code) {
  return code < norva::usb::kErrorTexts.size() ? norva::usb::kErrorTexts[code]
                                               : norva::usb::kUnknownErrorText;
}

TCC730_EXPORT void TCC730X_SetDisplayCallback(TCC730X_DisplayCallback callback, void* context) {
  LibraryState& library = state();
  std::lock_guard lock(library.mutex);
  library.display = callback;
  library.displayContext = context;
}

TCC730_EXPORT void TCC730_DispError(void* owner, uint32_t code, uint32_t windowsError) {
  TCC730X_DisplayCallback callback = nullptr;
  void* context = nullptr;
  {
    LibraryState& library = state();
    std::lock_guard lock(library.mutex);
    callback = library.display;
    context = library.displayContext;
  }
  const char* text = TCC730X_ErrorText(code);
  if (callback) {
    callback(owner, code, windowsError, text, context);
  } else if (windowsError != 0) {
    std::fprintf(stderr, "%s (%u: %s)\n", text, windowsError,
                 std::strerror(static_cast<int>(windowsError)));
  } else {
    std::fprintf(stderr, "%s\n", text);
  }
}

TCC730_EXPORT int TCC730_Download(void*, TCC730_HANDLE handle, int drive, const char* pcPath) {
  if (pcPath == nullptr) return fail(PlayerError::File, ENOENT);
  return withPlayer(handle,
                    [&](SimulatedPlayer& player) { return player.download(drive, pcPath); });
}

TCC730_EXPORT int TCC730_Upload(void*, TCC730_HANDLE handle, int drive, int index,
                                const char* pcTarget, const char* playerNameWhenConverting,
                                uint32_t size, int conversion) {
  if (pcTarget == nullptr) return fail(PlayerError::File, EINVAL);
  if (conversion < 0 || conversion > 2) return fail(PlayerError::General, EINVAL);
  std::optional<std::string_view> playerName;
  if (playerNameWhenConverting) playerName = playerNameWhenConverting;
  return withPlayer(handle, [&](SimulatedPlayer& player) {
    return player.upload(drive, index, pcTarget, playerName, size,
                         static_cast<Conversion>(conversion));
  });
}

TCC730_EXPORT int TCC730_Delete(void*, TCC730_HANDLE handle, int drive, int index,
                                const char* name) {
  // Without the name the entry cannot be checked, and an unchecked index may be stale.
  if (name == nullptr) return fail(PlayerError::StaleEntry);
  return withPlayer(handle,
                    [&](SimulatedPlayer& player) { return player.remove(drive, index, name); });
}

TCC730_EXPORT int TCC730_Rename(TCC730_HANDLE handle, int drive, int index, const char* newName,
                                const uint8_t* cachedEntry300) {
  if (newName == nullptr) return fail(PlayerError::BadName);
  if (cachedEntry300 == nullptr) return fail(PlayerError::StaleEntry);
  const std::span<const uint8_t> cached(cachedEntry300, norva::usb::kDirectoryEntrySize);
  std::string expected = norva::usb::recordLongName(cached);
  if (expected.empty()) expected = norva::usb::recordShortName(cached);
  return withPlayer(handle, [&](SimulatedPlayer& player) {
    return player.rename(drive, index, newName, expected);
  });
}

TCC730_EXPORT int TCC730_Replace(TCC730_HANDLE handle, int drive, int index, int neighbour) {
  return withPlayer(handle, [&](SimulatedPlayer& player) {
    return player.swap(drive, index, neighbour, std::nullopt);
  });
}

TCC730_EXPORT int TCC730X_ReplaceNamed(TCC730_HANDLE handle, int drive, int index, int neighbour,
                                       const char* nameAtIndex, const char* nameAtNeighbour) {
  if (nameAtIndex == nullptr || nameAtNeighbour == nullptr) return fail(PlayerError::StaleEntry);
  return withPlayer(handle, [&](SimulatedPlayer& player) {
    return player.swap(drive, index, neighbour,
                       std::pair<std::string_view, std::string_view>(nameAtIndex, nameAtNeighbour));
  });
}

TCC730_EXPORT int TCC730_Format(void*, TCC730_HANDLE handle, int drive) {
  return withPlayer(handle, [&](SimulatedPlayer& player) { return player.format(drive); });
}

TCC730_EXPORT int TCC730_FormatLow(void*, TCC730_HANDLE handle, int drive) {
  return withPlayer(handle, [&](SimulatedPlayer& player) { return player.formatLow(drive); });
}

TCC730_EXPORT int TCC730_UpgradeFirmware(void*, TCC730_HANDLE handle, int kind, int,
                                         const char* imagePath, const char* chosenPath) {
  if (imagePath == nullptr) return fail(PlayerError::File, ENOENT);
  return withPlayer(handle, [&](SimulatedPlayer& player) {
    return player.upgradeFirmware(kind, imagePath,
                                  textOrEmpty(chosenPath ? chosenPath : imagePath));
  });
}

TCC730_EXPORT int TCC730_DownloadFont(void*, TCC730_HANDLE handle, const char* fontPath) {
  if (fontPath == nullptr) return fail(PlayerError::File, ENOENT);
  return withPlayer(handle, [&](SimulatedPlayer& player) { return player.downloadFont(fontPath); });
}

TCC730_EXPORT int TCC730_GetFontInfo(TCC730_HANDLE handle, uint8_t* fontRecord268) {
  if (fontRecord268 == nullptr) return fail(PlayerError::General, EINVAL);
  return withPlayer(handle, [&](SimulatedPlayer& player) {
    norva::usb::FontRecord record{};
    const PlayerResult result = player.fontRecord(record);
    if (result.ok()) std::memcpy(fontRecord268, record.data(), record.size());
    return result;
  });
}

TCC730_EXPORT int TCC730_EraseFont(TCC730_HANDLE handle) {
  return withPlayer(handle, [&](SimulatedPlayer& player) { return player.eraseFont(); });
}

TCC730_EXPORT int TCC730_UploadFont(void*, TCC730_HANDLE handle, const char* pcTarget, int,
                                    uint32_t fontSize) {
  if (pcTarget == nullptr) return fail(PlayerError::File, EINVAL);
  return withPlayer(handle,
                    [&](SimulatedPlayer& player) { return player.uploadFont(pcTarget, fontSize); });
}

TCC730_EXPORT int TCC730_UploadRawData(void*, TCC730_HANDLE handle, int drive, uint32_t firstBlock,
                                       uint32_t blockCount, const char* pcPath, int,
                                       uint32_t byteCount) {
  if (pcPath == nullptr) return fail(PlayerError::File, EINVAL);
  return withPlayer(handle, [&](SimulatedPlayer& player) {
    return player.readRaw(drive, firstBlock, blockCount, pcPath, byteCount);
  });
}

TCC730_EXPORT const char* TCC730_GetFirmwareVersionString(void) {
  const auto version = SimulatedPlayer(SimulatedPlayer::defaultFolder()).firmwareVersion();
  if (!version) return nullptr;
  tFirmwareVersion = *version;
  return tFirmwareVersion.c_str();
}

TCC730_EXPORT int TCC730X_ReadDirectory(TCC730_HANDLE handle, int drive, uint8_t* entries,
                                        int capacity, int* count, uint32_t* summary6) {
  if (count) *count = 0;
  if (capacity < 0 || (capacity > 0 && entries == nullptr))
    return fail(PlayerError::General, EINVAL);
  return withPlayer(handle, [&](SimulatedPlayer& player) {
    norva::usb::DriveListing listing;
    const PlayerResult result = player.listDrive(drive, listing);
    if (summary6)
      std::memcpy(summary6, listing.summary.data(), sizeof(uint32_t) * listing.summary.size());
    if (!result.ok()) return result;
    const size_t filled = std::min(listing.entries.size(), static_cast<size_t>(capacity));
    for (size_t i = 0; i < filled; ++i)
      std::memcpy(entries + i * norva::usb::kDirectoryEntrySize, listing.entries[i].data(),
                  norva::usb::kDirectoryEntrySize);
    if (count) *count = static_cast<int>(filled);
    return result;
  });
}
