#pragma once
// Writes a whole file for the simulated player (a PC target or its own state): temporary file
// then rename, so an old file survives any failure. File with the errno behind a failure.
#include <filesystem>
#include <span>

#include "usb/service/player_error.h"

namespace norva::usb {

PlayerResult storeFile(const std::filesystem::path& file, std::span<const uint8_t> bytes);

}  // namespace norva::usb
