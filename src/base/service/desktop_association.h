#pragma once
// What a program needs to tie file types to itself on a freedesktop desktop, for the current
// user: the user's data and config folders, the quoting of a desktop entry's Exec line, the
// database tools run after a change, and the user's default applications (mimeapps.list).
// A default is removed only where it still names the program's own desktop entry, so another
// program's choice is never touched.
#include <filesystem>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace norva {

// Runs a desktop database tool (program name, then arguments); failures are ignored.
using ToolRunner = std::function<void(const std::vector<std::string>&)>;

// Runs the tool with posix_spawnp and waits for it; a missing tool does nothing.
void runDesktopTool(const std::vector<std::string>& command);

// $XDG_DATA_HOME, else ~/.local/share.
std::filesystem::path xdgDataHome();
// $XDG_CONFIG_HOME, else ~/.config.
std::filesystem::path xdgConfigHome();

// One Exec argument in double quotes: the characters the desktop entry format reserves inside
// quotes escaped, then the string-value escaping of the backslashes.
std::string desktopExecArgument(std::string_view argument);

// mimeapps.list text with `desktopId` as the default of each type in the [Default
// Applications] section (the section is added when missing); every other line is kept.
std::string withDefaultApplication(std::string_view mimeapps,
                                   std::span<const std::string_view> mimeTypes,
                                   std::string_view desktopId);
// mimeapps.list text without the defaults of those types that name exactly `desktopId`; a
// section left without entries is dropped.
std::string withoutDefaultApplication(std::string_view mimeapps,
                                      std::span<const std::string_view> mimeTypes,
                                      std::string_view desktopId);

// The user's mimeapps.list in `configHome`.
std::filesystem::path mimeappsFile(const std::filesystem::path& configHome);
// Reads, changes and atomically rewrites the user's mimeapps.list (removed when nothing is left
// in it). False when it could not be read or written.
bool setDefaultApplication(const std::filesystem::path& configHome,
                           std::span<const std::string_view> mimeTypes, std::string_view desktopId);
bool removeDefaultApplication(const std::filesystem::path& configHome,
                              std::span<const std::string_view> mimeTypes,
                              std::string_view desktopId);

}  // namespace norva
