#include "base/service/suite_library.h"

#include <dlfcn.h>

#include <cstdlib>
#include <vector>

namespace norva {

std::filesystem::path programFolder() {
  std::error_code ec;
  const auto self = std::filesystem::read_symlink("/proc/self/exe", ec);
  return ec ? std::filesystem::path() : self.parent_path();
}

SuiteLibrary openSuiteLibrary(std::string_view name, const char* variable,
                              std::span<const std::filesystem::path> folders) {
  std::vector<std::string> candidates;
  if (const char* named = std::getenv(variable); named && *named) candidates.emplace_back(named);
  if (const auto program = programFolder(); !program.empty()) {
    std::vector<std::filesystem::path> places{program};
    for (const auto& folder : folders) places.push_back(program / folder);
    for (const auto& place : places) {
      std::error_code ec;
      if (const auto file = place / name; std::filesystem::exists(file, ec))
        candidates.push_back(file.lexically_normal().string());
    }
  }
  candidates.emplace_back(name);

  SuiteLibrary result;
  for (const auto& candidate : candidates) {
    result.handle = ::dlopen(candidate.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (result.handle != nullptr) {
      result.error.clear();
      return result;
    }
    const char* why = ::dlerror();
    result.error += (result.error.empty() ? "" : "; ") + std::string(why ? why : candidate);
  }
  return result;
}

}  // namespace norva
