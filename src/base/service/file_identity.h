#pragma once
// Whether two paths name one file on disk: the same device and inode, so hard links, symbolic
// links and "./" or "../" spellings all count. Used to refuse an output that would overwrite
// one of the command's own inputs.
#include <filesystem>

namespace norva {

// False when either path does not exist.
bool isSameFile(const std::filesystem::path& a, const std::filesystem::path& b);

}  // namespace norva
