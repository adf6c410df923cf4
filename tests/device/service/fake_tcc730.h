#pragma once
// Test double of the player library: a player held in memory whose every call is recorded.
// One FakePlayer is active at a time; its function table is what DeviceLink loads.
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "device/service/tcc730_functions.h"

namespace norva::device {

struct FakeFile {
  std::string name;
  uint32_t size = 0;
};

struct FakeUpload {
  int index = -1;
  std::string target;
  std::string playerName;  // "(null)" when not converting
  uint32_t size = 0;
  int mode = 0;
};

struct FakePlayer {
  bool attached = true;
  int opens = 0;
  int closes = 0;
  int frees = 0;
  std::vector<std::pair<uint32_t, uint32_t>> timeouts;
  std::vector<FakeFile> files[2];
  uint32_t totalBlocks[2] = {2048, 0};
  uint32_t error = 0;
  uint32_t systemError = 0;
  uint32_t failNextWith = 0;  // the next transfer call fails with this code
  std::vector<std::string> calls;
  std::vector<uint32_t> displayedCodes;
  std::vector<FakeUpload> uploads;
  std::optional<std::pair<std::string, uint32_t>> font;
  std::string firmwareVersion = "V1.00";
  bool hasFirmwareVersion = true;
  std::vector<uint8_t> firmwareImage;  // what the upgrade read from its image file
  std::string imagePath;
  std::string chosenPath;
  int firmwareKind = -1;
  int romMode = -1;
  TCC730X_DisplayCallback callback = nullptr;
  void* callbackContext = nullptr;

  FakePlayer() { active() = this; }
  ~FakePlayer() { active() = nullptr; }
  static FakePlayer*& active() {
    static FakePlayer* player = nullptr;
    return player;
  }
  static TCC730_HANDLE token() {
    static int value = 0;
    return &value;
  }
  bool open = false;

  bool fail(uint32_t code, uint32_t system = 0) {
    error = code;
    systemError = system;
    return false;
  }
  // A transfer call: fails when detached or when a failure was asked for.
  bool transferFails() {
    if (!attached) return !fail(TCC730_ERR_NOT_ATTACHED);
    if (failNextWith != 0) {
      fail(failNextWith);
      failNextWith = 0;
      return true;
    }
    return false;
  }
  std::vector<std::string> names(int drive) const {
    std::vector<std::string> out;
    for (const auto& file : files[drive]) out.push_back(file.name);
    return out;
  }

  static const Tcc730Functions* functions();
};

inline const Tcc730Functions* FakePlayer::functions() {
  static Tcc730Functions table = [] {
    Tcc730Functions t;
    t.SetTimeout = [](uint32_t receive, uint32_t send) {
      active()->timeouts.emplace_back(receive, send);
    };
    t.Open = [](TCC730_HANDLE* handle) {
      FakePlayer* p = active();
      if (!p->attached) return 0;
      ++p->opens;
      p->open = true;
      *handle = token();
      return 1;
    };
    t.Close = [](TCC730_HANDLE handle) {
      FakePlayer* p = active();
      if (handle == token()) p->open = false;
      ++p->closes;
      p->calls.push_back("Close");
    };
    t.IsValidHandle = [](TCC730_HANDLE handle) {
      return handle == token() && active()->open ? 1 : 0;
    };
    t.TestConnection = [] { return active()->attached ? 1 : 0; };
    t.Free = [](void*) {
      ++active()->frees;
      active()->calls.push_back("Free");
    };
    t.GetMediumInfo = [](TCC730_HANDLE, int drive, uint8_t* record) {
      FakePlayer* p = active();
      if (!p->attached) return p->fail(TCC730_ERR_NOT_ATTACHED) ? 1 : 0;
      std::memset(record, 0, 28);
      record[2] = static_cast<uint8_t>(p->totalBlocks[drive]);
      record[3] = static_cast<uint8_t>(p->totalBlocks[drive] >> 8);
      return 1;
    };
    t.GetError = [] { return active()->error; };
    t.GetWindowsError = [] { return active()->systemError; };
    t.DispError = [](void* owner, uint32_t code, uint32_t system) {
      FakePlayer* p = active();
      p->displayedCodes.push_back(code);
      const std::string text = "error " + std::to_string(code);
      if (p->callback) p->callback(owner, code, system, text.c_str(), p->callbackContext);
    };
    t.Download = [](void*, TCC730_HANDLE, int drive, const char* path) {
      FakePlayer* p = active();
      p->calls.push_back("Download " + std::to_string(drive) + " " + path);
      if (p->transferFails()) return 0;
      std::error_code ec;
      const auto size = std::filesystem::file_size(path, ec);
      p->files[drive].push_back(
          {std::filesystem::path(path).filename().string(), static_cast<uint32_t>(ec ? 0 : size)});
      return 1;
    };
    t.Upload = [](void*, TCC730_HANDLE, int drive, int index, const char* target,
                  const char* playerName, uint32_t size, int mode) {
      FakePlayer* p = active();
      p->calls.push_back("Upload " + std::to_string(drive) + " " + std::to_string(index));
      p->uploads.push_back({index, target, playerName ? playerName : "(null)", size, mode});
      if (p->transferFails()) return 0;
      std::ofstream(target) << "from the player";
      return 1;
    };
    t.Delete = [](void*, TCC730_HANDLE, int drive, int index, const char* name) {
      FakePlayer* p = active();
      p->calls.push_back("Delete " + std::to_string(drive) + " " + std::to_string(index) + " " +
                         name);
      if (p->transferFails()) return 0;
      auto& files = p->files[drive];
      if (index < 0 || static_cast<size_t>(index) >= files.size() ||
          files[static_cast<size_t>(index)].name != name)
        return p->fail(TCC730_ERR_STALE_ENTRY) ? 1 : 0;
      files.erase(files.begin() + index);
      return 1;
    };
    t.Rename = [](TCC730_HANDLE, int drive, int index, const char* newName, const uint8_t* cached) {
      FakePlayer* p = active();
      const std::string expected(reinterpret_cast<const char*>(cached) + 36);
      p->calls.push_back("Rename " + std::to_string(drive) + " " + std::to_string(index) + " " +
                         expected + " " + newName);
      if (p->transferFails()) return 0;
      auto& files = p->files[drive];
      if (index < 0 || static_cast<size_t>(index) >= files.size() ||
          files[static_cast<size_t>(index)].name != expected)
        return p->fail(TCC730_ERR_STALE_ENTRY) ? 1 : 0;
      files[static_cast<size_t>(index)].name = newName;
      return 1;
    };
    t.Replace = [](TCC730_HANDLE, int, int, int) {
      return active()->fail(TCC730_ERR_GENERAL) ? 1 : 0;
    };
    t.Format = [](void*, TCC730_HANDLE, int drive) {
      FakePlayer* p = active();
      p->calls.push_back("Format " + std::to_string(drive));
      if (p->transferFails()) return 0;
      p->files[drive].clear();
      return 1;
    };
    t.FormatLow = [](void*, TCC730_HANDLE, int drive) {
      FakePlayer* p = active();
      p->calls.push_back("FormatLow " + std::to_string(drive));
      if (p->transferFails()) return 0;
      p->files[drive].clear();
      return 1;
    };
    t.UpgradeFirmware = [](void*, TCC730_HANDLE, int kind, int rom, const char* image,
                           const char* chosen) {
      FakePlayer* p = active();
      p->calls.push_back("UpgradeFirmware");
      p->firmwareKind = kind;
      p->romMode = rom;
      p->imagePath = image;
      p->chosenPath = chosen;
      std::ifstream in(image, std::ios::binary);
      p->firmwareImage.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
      if (p->transferFails()) return 0;
      return 1;
    };
    t.DownloadFont = [](void*, TCC730_HANDLE, const char* path) {
      FakePlayer* p = active();
      p->calls.push_back(std::string("DownloadFont ") + path);
      if (p->transferFails()) return 0;
      p->font = {std::filesystem::path(path).filename().string(), 1234};
      return 1;
    };
    t.GetFontInfo = [](TCC730_HANDLE, uint8_t* record) {
      FakePlayer* p = active();
      if (!p->font) return p->fail(TCC730_ERR_NO_FONT) ? 1 : 0;
      std::memset(record, 0, 268);
      std::memcpy(record, p->font->first.data(), std::min<size_t>(p->font->first.size(), 263));
      record[264] = static_cast<uint8_t>(p->font->second);
      record[265] = static_cast<uint8_t>(p->font->second >> 8);
      return 1;
    };
    t.EraseFont = [](TCC730_HANDLE) {
      FakePlayer* p = active();
      p->calls.push_back("EraseFont");
      if (p->transferFails()) return 0;
      p->font.reset();
      return 1;
    };
    t.UploadFont = [](void*, TCC730_HANDLE, const char* target, int, uint32_t size) {
      FakePlayer* p = active();
      p->calls.push_back(std::string("UploadFont ") + target + " " + std::to_string(size));
      if (p->transferFails()) return 0;
      std::ofstream(target) << "font";
      return 1;
    };
    t.UploadRawData = [](void*, TCC730_HANDLE, int drive, uint32_t first, uint32_t count,
                         const char* path, int, uint32_t bytes) {
      FakePlayer* p = active();
      p->calls.push_back("UploadRawData " + std::to_string(drive) + " " + std::to_string(first) +
                         " " + std::to_string(count) + " " + path + " " + std::to_string(bytes));
      if (p->transferFails()) return 0;
      std::ofstream(path) << "raw";
      return 1;
    };
    t.GetFirmwareVersionString = []() -> const char* {
      FakePlayer* p = active();
      return p->hasFirmwareVersion ? p->firmwareVersion.c_str() : nullptr;
    };
    t.ReadDirectory = [](TCC730_HANDLE, int drive, uint8_t* entries, int capacity, int* count,
                         uint32_t* summary) {
      FakePlayer* p = active();
      p->calls.push_back("ReadDirectory " + std::to_string(drive));
      if (!p->attached) return p->fail(TCC730_ERR_NOT_ATTACHED) ? 1 : 0;
      const auto& files = p->files[drive];
      const int n = std::min(capacity, static_cast<int>(files.size()));
      for (int i = 0; i < n; ++i) {
        uint8_t* e = entries + 300 * i;
        std::memset(e, 0, 300);
        std::memcpy(e, "FILE    ", 8);
        std::memcpy(e + 9, "MP3", 3);
        const auto& file = files[static_cast<size_t>(i)];
        for (int b = 0; b < 4; ++b) e[32 + b] = static_cast<uint8_t>(file.size >> (8 * b));
        std::memcpy(e + 36, file.name.data(), std::min<size_t>(file.name.size(), 263));
      }
      *count = n;
      summary[0] = static_cast<uint32_t>(n);
      summary[1] = p->totalBlocks[drive];
      summary[2] = static_cast<uint32_t>(n);
      summary[3] = p->totalBlocks[drive] ? 14u : 0u;
      summary[4] = summary[5] = 0;
      return 1;
    };
    t.SetDisplayCallback = [](TCC730X_DisplayCallback callback, void* context) {
      active()->callback = callback;
      active()->callbackContext = context;
    };
    t.ErrorText = [](uint32_t) -> const char* { return "error"; };
    t.ReplaceNamed = [](TCC730_HANDLE, int drive, int index, int neighbour, const char* a,
                        const char* b) {
      FakePlayer* p = active();
      p->calls.push_back("Swap " + std::to_string(drive) + " " + std::to_string(index) + " " +
                         std::to_string(neighbour));
      if (p->transferFails()) return 0;
      auto& files = p->files[drive];
      const auto size = static_cast<int>(files.size());
      if (index < 0 || neighbour < 0 || index >= size || neighbour >= size ||
          files[static_cast<size_t>(index)].name != a ||
          files[static_cast<size_t>(neighbour)].name != b)
        return p->fail(TCC730_ERR_STALE_ENTRY) ? 1 : 0;
      std::swap(files[static_cast<size_t>(index)], files[static_cast<size_t>(neighbour)]);
      return 1;
    };
    return t;
  }();
  return &table;
}

}  // namespace norva::device
