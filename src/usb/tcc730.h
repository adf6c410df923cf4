#pragma once
/*
 * The player's USB transfer library: the C interface the device manager loads on first use
 * (dlopen of libnorva_tcc730.so) and calls through DeviceLink only. Our library puts a
 * simulated player behind it (see simulated_player.h), whose state lives in the folder named
 * by NORVA_PLAYER_DIR.
 *
 * Conventions of every function below:
 * - booleans: 0 fails, non-zero succeeds; after a failure TCC730_GetError() gives the code and
 *   TCC730_GetWindowsError() the system error behind it (an errno value here);
 * - text crossing the interface (paths, names) is UTF-8, the narrow encoding of the system;
 * - owner is the host's window or null; the library never uses it except to hand it to the
 *   display callback;
 * - drive 0 is the internal memory, 1 the external card; entry indices are play order.
 *
 * Functions prefixed TCC730X_ are our extensions: reading a drive's directory into the
 * caller's cache, and showing error texts through the host's own message boxes.
 */
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef void* TCC730_HANDLE;

/* Codes of the library; the host passes 3, 7, 6 (with system error 2) and 0 itself. */
enum {
  TCC730_OK = 0,
  TCC730_ERR_GENERAL = 1,
  TCC730_ERR_NOT_ATTACHED = 2,
  TCC730_ERR_NO_CONNECTION = 3,
  TCC730_ERR_BAD_DRIVE = 4,
  TCC730_ERR_BAD_INDEX = 5,
  TCC730_ERR_FILE = 6,
  TCC730_ERR_NO_MEMORY = 7,
  TCC730_ERR_DISK_FULL = 8,
  TCC730_ERR_DIRECTORY_FULL = 9,
  TCC730_ERR_EXISTS = 10,
  TCC730_ERR_BAD_NAME = 11,
  TCC730_ERR_STALE_ENTRY = 12,
  TCC730_ERR_BAD_IMAGE = 13,
  TCC730_ERR_CANCELLED = 14,
  TCC730_ERR_NO_FONT = 15,
  TCC730_ERR_BUSY = 16,
  TCC730_ERR_BAD_RANGE = 17,
  TCC730_ERR_UNFORMATTED = 18
};

/* Record sizes; byte layouts are little-endian and packed (see the device core's records). */
enum {
  TCC730_MEDIUM_RECORD_SIZE = 28,
  TCC730_DIRECTORY_ENTRY_SIZE = 300,
  TCC730_FONT_RECORD_SIZE = 268,
  TCC730_SUMMARY_WORDS = 6,
  TCC730_BLOCK_SIZE = 16384
};

void TCC730_SetTimeout(uint32_t receiveMs, uint32_t sendMs);
int TCC730_Open(TCC730_HANDLE* handle);
void TCC730_Close(TCC730_HANDLE handle);
int TCC730_IsValidHandle(TCC730_HANDLE handle);
int TCC730_TestConnection(void);
void TCC730_Free(void* reserved);
int TCC730_GetMediumInfo(TCC730_HANDLE handle, int drive, uint8_t* mediumRecord28);
uint32_t TCC730_GetError(void);
uint32_t TCC730_GetWindowsError(void);
void TCC730_DispError(void* owner, uint32_t code, uint32_t windowsError);
int TCC730_Download(void* owner, TCC730_HANDLE handle, int drive, const char* pcPath);
int TCC730_Upload(void* owner, TCC730_HANDLE handle, int drive, int index, const char* pcTarget,
                  const char* playerNameWhenConverting, uint32_t size, int conversion);
int TCC730_Delete(void* owner, TCC730_HANDLE handle, int drive, int index, const char* name);
int TCC730_Rename(TCC730_HANDLE handle, int drive, int index, const char* newName,
                  const uint8_t* cachedEntry300);
int TCC730_Replace(TCC730_HANDLE handle, int drive, int index, int neighbour);
int TCC730_Format(void* owner, TCC730_HANDLE handle, int drive);
int TCC730_FormatLow(void* owner, TCC730_HANDLE handle, int drive);
int TCC730_UpgradeFirmware(void* owner, TCC730_HANDLE handle, int kind, int romMode,
                           const char* imagePath, const char* chosenPath);
int TCC730_DownloadFont(void* owner, TCC730_HANDLE handle, const char* fontPath);
int TCC730_GetFontInfo(TCC730_HANDLE handle, uint8_t* fontRecord268);
int TCC730_EraseFont(TCC730_HANDLE handle);
int TCC730_UploadFont(void* owner, TCC730_HANDLE handle, const char* pcTarget, int reserved,
                      uint32_t fontSize);
int TCC730_UploadRawData(void* owner, TCC730_HANDLE handle, int drive, uint32_t firstBlock,
                         uint32_t blockCount, const char* pcPath, int reserved, uint32_t byteCount);
const char* TCC730_GetFirmwareVersionString(void);

/* Extension: the drive's directory in play order as 300-byte DirectoryEntry records (at most
 * capacity of them) and the six summary words (file count, total blocks, used blocks, medium
 * flags, 0, 0). Fails like every other call. */
int TCC730X_ReadDirectory(TCC730_HANDLE handle, int drive, uint8_t* entries, int capacity,
                          int* count, uint32_t* summary6);

/* Extension: how TCC730_DispError shows its text. The host installs a callback that shows text
 * (UTF-8, Chinese) in its own message box; without one the text goes to stderr. */
typedef void (*TCC730X_DisplayCallback)(void* owner, uint32_t code, uint32_t windowsError,
                                        const char* text, void* context);
void TCC730X_SetDisplayCallback(TCC730X_DisplayCallback callback, void* context);

/* Extension: the text TCC730_DispError shows for a code (never null, static storage). */
const char* TCC730X_ErrorText(uint32_t code);

/* Extension: TCC730_Replace that first checks that the two entries still carry the names the
 * caller listed (another process may have changed the drive since); a mismatch fails with
 * TCC730_ERR_STALE_ENTRY and changes nothing. TCC730_Delete and TCC730_Rename check the name
 * they are given (the cached entry's long or short name for Rename) the same way. */
int TCC730X_ReplaceNamed(TCC730_HANDLE handle, int drive, int index, int neighbour,
                         const char* nameAtIndex, const char* nameAtNeighbour);

#ifdef __cplusplus
}
#endif
