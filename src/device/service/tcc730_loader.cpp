#include "device/service/tcc730_loader.h"

#include <dlfcn.h>

#include <array>

#include "base/service/suite_library.h"

namespace norva::device {
namespace {

template <typename Function>
bool resolve(void* library, const char* name, Function& slot, std::string& missing) {
  slot = reinterpret_cast<Function>(::dlsym(library, name));
  if (slot == nullptr) missing += std::string(missing.empty() ? "" : ", ") + name;
  return slot != nullptr;
}

LoadedLibrary load() {
  static Tcc730Functions table;
  LoadedLibrary result;
  const std::array<std::filesystem::path, 1> installed{NORVA_SUITE_LIBRARY_FOLDER};
  SuiteLibrary opened = openSuiteLibrary(kTcc730LibraryName, kTcc730LibraryVariable, installed);
  void* library = opened.handle;
  result.error = std::move(opened.error);
  if (library == nullptr) return result;

  std::string missing;
  resolve(library, "TCC730_SetTimeout", table.SetTimeout, missing);
  resolve(library, "TCC730_Open", table.Open, missing);
  resolve(library, "TCC730_Close", table.Close, missing);
  resolve(library, "TCC730_IsValidHandle", table.IsValidHandle, missing);
  resolve(library, "TCC730_TestConnection", table.TestConnection, missing);
  resolve(library, "TCC730_Free", table.Free, missing);
  resolve(library, "TCC730_GetMediumInfo", table.GetMediumInfo, missing);
  resolve(library, "TCC730_GetError", table.GetError, missing);
  resolve(library, "TCC730_GetWindowsError", table.GetWindowsError, missing);
  resolve(library, "TCC730_DispError", table.DispError, missing);
  resolve(library, "TCC730_Download", table.Download, missing);
  resolve(library, "TCC730_Upload", table.Upload, missing);
  resolve(library, "TCC730_Delete", table.Delete, missing);
  resolve(library, "TCC730_Rename", table.Rename, missing);
  resolve(library, "TCC730_Replace", table.Replace, missing);
  resolve(library, "TCC730_Format", table.Format, missing);
  resolve(library, "TCC730_FormatLow", table.FormatLow, missing);
  resolve(library, "TCC730_UpgradeFirmware", table.UpgradeFirmware, missing);
  resolve(library, "TCC730_DownloadFont", table.DownloadFont, missing);
  resolve(library, "TCC730_GetFontInfo", table.GetFontInfo, missing);
  resolve(library, "TCC730_EraseFont", table.EraseFont, missing);
  resolve(library, "TCC730_UploadFont", table.UploadFont, missing);
  resolve(library, "TCC730_UploadRawData", table.UploadRawData, missing);
  resolve(library, "TCC730_GetFirmwareVersionString", table.GetFirmwareVersionString, missing);
  resolve(library, "TCC730X_ReadDirectory", table.ReadDirectory, missing);
  resolve(library, "TCC730X_SetDisplayCallback", table.SetDisplayCallback, missing);
  resolve(library, "TCC730X_ErrorText", table.ErrorText, missing);
  resolve(library, "TCC730X_ReplaceNamed", table.ReplaceNamed, missing);
  if (!missing.empty()) {
    result.error = "missing functions: " + missing;
    ::dlclose(library);
    return result;
  }
  result.functions = &table;
  return result;
}

}  // namespace

const LoadedLibrary& loadTcc730Library() {
  static const LoadedLibrary loaded = load();
  return loaded;
}

}  // namespace norva::device
