#pragma once
// The player library's functions as a table of pointers: DeviceLink calls the library only
// through this table, which the loader fills from the shared library and tests fill with a
// test double.
#include "usb/tcc730.h"

namespace norva::device {

struct Tcc730Functions {
  decltype(&TCC730_SetTimeout) SetTimeout = nullptr;
  decltype(&TCC730_Open) Open = nullptr;
  decltype(&TCC730_Close) Close = nullptr;
  decltype(&TCC730_IsValidHandle) IsValidHandle = nullptr;
  decltype(&TCC730_TestConnection) TestConnection = nullptr;
  decltype(&TCC730_Free) Free = nullptr;
  decltype(&TCC730_GetMediumInfo) GetMediumInfo = nullptr;
  decltype(&TCC730_GetError) GetError = nullptr;
  decltype(&TCC730_GetWindowsError) GetWindowsError = nullptr;
  decltype(&TCC730_DispError) DispError = nullptr;
  decltype(&TCC730_Download) Download = nullptr;
  decltype(&TCC730_Upload) Upload = nullptr;
  decltype(&TCC730_Delete) Delete = nullptr;
  decltype(&TCC730_Rename) Rename = nullptr;
  decltype(&TCC730_Replace) Replace = nullptr;
  decltype(&TCC730_Format) Format = nullptr;
  decltype(&TCC730_FormatLow) FormatLow = nullptr;
  decltype(&TCC730_UpgradeFirmware) UpgradeFirmware = nullptr;
  decltype(&TCC730_DownloadFont) DownloadFont = nullptr;
  decltype(&TCC730_GetFontInfo) GetFontInfo = nullptr;
  decltype(&TCC730_EraseFont) EraseFont = nullptr;
  decltype(&TCC730_UploadFont) UploadFont = nullptr;
  decltype(&TCC730_UploadRawData) UploadRawData = nullptr;
  decltype(&TCC730_GetFirmwareVersionString) GetFirmwareVersionString = nullptr;
  decltype(&TCC730X_ReadDirectory) ReadDirectory = nullptr;
  decltype(&TCC730X_SetDisplayCallback) SetDisplayCallback = nullptr;
  decltype(&TCC730X_ErrorText) ErrorText = nullptr;
  decltype(&TCC730X_ReplaceNamed) ReplaceNamed = nullptr;
};

}  // namespace norva::device
