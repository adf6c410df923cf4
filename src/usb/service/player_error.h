#pragma once
// Outcomes of the simulated player's operations. The values are the codes of our player
// library (tcc730.h), so the C interface passes them on unchanged.
#include <cstdint>

namespace norva::usb {

enum class PlayerError : uint32_t {
  Ok = 0,
  General = 1,
  NotAttached = 2,
  NoConnection = 3,
  BadDrive = 4,
  BadIndex = 5,
  File = 6,
  NoMemory = 7,
  DiskFull = 8,
  DirectoryFull = 9,
  Exists = 10,
  BadName = 11,
  StaleEntry = 12,
  BadImage = 13,
  Cancelled = 14,
  NoFont = 15,
  Busy = 16,
  BadRange = 17,
  Unformatted = 18,
};
const char* toString(PlayerError error);

struct PlayerResult {
  PlayerError error = PlayerError::Ok;
  int systemError = 0;  // errno behind a File or General error, else 0

  bool ok() const { return error == PlayerError::Ok; }
};

inline PlayerResult failed(PlayerError error, int systemError = 0) {
  return PlayerResult{error, systemError};
}

}  // namespace norva::usb
