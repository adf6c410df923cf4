#pragma once
// norva's picture plugin, libnorva_pictures.so: the Qt image readers of the logo converter in a
// library of their own, loaded only when a picture command runs, so that every other command
// starts without loading QtGui. Plugin and program are built together from this tree, so C++
// types cross between them; the entry point has C linkage so that it is found by name, and the
// name carries the interface's version.
#include <optional>
#include <string>

#include "logo/opened_picture.h"

namespace norva::cli {

inline constexpr const char* kPicturesLibraryName = "libnorva_pictures.so";
// Names the plugin file to load instead of the one beside norva (tests, unusual installs).
inline constexpr const char* kPicturesLibraryVariable = "NORVA_PICTURES_LIBRARY";
inline constexpr const char* kOpenPictureSymbol = "norva_pictures_open_v1";

extern "C" {
// Opens the picture at `path` as the logo converter's open command does, into `*opened`.
using OpenPictureEntry = void(const char* path, logo::OpenedPicture* opened);
}

// Opens a picture through the plugin, loading the plugin on the first call. Nothing, with the
// reason in `error`, when the plugin cannot be loaded.
std::optional<logo::OpenedPicture> openPictureThroughPlugin(const std::string& path,
                                                            std::string& error);

}  // namespace norva::cli
