#include "usb/service/store_file.h"

#include <cerrno>

#include "base/service/file_io.h"

namespace norva::usb {

PlayerResult storeFile(const std::filesystem::path& file, std::span<const uint8_t> bytes) {
  errno = 0;
  if (!writeFileAtomically(file, bytes).ok())
    return failed(PlayerError::File, errno != 0 ? errno : EIO);
  return {};
}

}  // namespace norva::usb
