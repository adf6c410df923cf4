#include "cli/picture_plugin.h"

#include <dlfcn.h>

#include <array>
#include <filesystem>

#include "base/service/suite_library.h"

namespace norva::cli {
namespace {

struct LoadedPlugin {
  OpenPictureEntry* open = nullptr;
  std::string error;
};

LoadedPlugin load() {
  // Where an install puts the plugin, from the folder norva is installed in.
  const std::array<std::filesystem::path, 1> installed{NORVA_PICTURES_PLUGIN_FOLDER};
  const SuiteLibrary library =
      openSuiteLibrary(kPicturesLibraryName, kPicturesLibraryVariable, installed);
  if (library.handle == nullptr) return {nullptr, library.error};
  auto* entry = reinterpret_cast<OpenPictureEntry*>(::dlsym(library.handle, kOpenPictureSymbol));
  if (entry == nullptr)
    return {nullptr, std::string(kPicturesLibraryName) + " has no " + kOpenPictureSymbol};
  return {entry, {}};
}

}  // namespace

std::optional<logo::OpenedPicture> openPictureThroughPlugin(const std::string& path,
                                                            std::string& error) {
  static const LoadedPlugin plugin = load();
  if (plugin.open == nullptr) {
    error = plugin.error;
    return std::nullopt;
  }
  logo::OpenedPicture opened;
  plugin.open(path.c_str(), &opened);
  return opened;
}

}  // namespace norva::cli
