#pragma once
// Opens one of the shared libraries the suite ships with its programs (dlopen, RTLD_NOW,
// RTLD_LOCAL). Where it looks, in order: the file named by the environment variable
// `variable`, `name` in the folder of the running program (the build tree), in each of
// `folders` (relative ones are taken from the program's folder: an installed tree), then
// `name` on the system's library path.
#include <filesystem>
#include <span>
#include <string>
#include <string_view>

namespace norva {

struct SuiteLibrary {
  void* handle = nullptr;  // for dlsym; null when no candidate opened
  std::string error;       // why each candidate failed, when none opened
};

SuiteLibrary openSuiteLibrary(std::string_view name, const char* variable,
                              std::span<const std::filesystem::path> folders = {});

// The folder of the running program; empty when it cannot be found.
std::filesystem::path programFolder();

}  // namespace norva
