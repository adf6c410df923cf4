#include "usb/service/player_error.h"

#include "usb/tcc730.h"

namespace norva::usb {

static_assert(static_cast<uint32_t>(PlayerError::NotAttached) == TCC730_ERR_NOT_ATTACHED);
static_assert(static_cast<uint32_t>(PlayerError::NoConnection) == TCC730_ERR_NO_CONNECTION);
static_assert(static_cast<uint32_t>(PlayerError::StaleEntry) == TCC730_ERR_STALE_ENTRY);
static_assert(static_cast<uint32_t>(PlayerError::Cancelled) == TCC730_ERR_CANCELLED);
static_assert(static_cast<uint32_t>(PlayerError::Unformatted) == TCC730_ERR_UNFORMATTED);

const char* toString(PlayerError error) {
  switch (error) {
    case PlayerError::Ok:
      return "ok";
    case PlayerError::General:
      return "operation failed";
    case PlayerError::NotAttached:
      return "player not attached";
    case PlayerError::NoConnection:
      return "no connection";
    case PlayerError::BadDrive:
      return "no such drive";
    case PlayerError::BadIndex:
      return "no such entry";
    case PlayerError::File:
      return "file cannot be accessed";
    case PlayerError::NoMemory:
      return "out of memory";
    case PlayerError::DiskFull:
      return "drive full";
    case PlayerError::DirectoryFull:
      return "root directory full";
    case PlayerError::Exists:
      return "file exists";
    case PlayerError::BadName:
      return "invalid name";
    case PlayerError::StaleEntry:
      return "entry changed since it was listed";
    case PlayerError::BadImage:
      return "invalid data or damaged file system";
    case PlayerError::Cancelled:
      return "cancelled";
    case PlayerError::NoFont:
      return "no font stored";
    case PlayerError::Busy:
      return "player busy";
    case PlayerError::BadRange:
      return "block range outside the drive";
    case PlayerError::Unformatted:
      return "drive not formatted";
  }
  return "unknown";
}

}  // namespace norva::usb
