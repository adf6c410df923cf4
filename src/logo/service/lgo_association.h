#pragma once
// Ties the .lgo file type to the logo converter: the class-root keys in our registry store and
// the desktop's own association (a .desktop entry and a shared-mime-info type in the user's
// XDG data folder), so that opening an LGO file on the desktop starts the program with it.
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "base/service/desktop_association.h"
#include "base/service/registry_store.h"

namespace norva::logo {

inline constexpr const char* kLgoMimeType = "application/x-norva-lgo";
inline constexpr const char* kDesktopFileName = "norva-glyphane.desktop";
inline constexpr const char* kMimePackageName = "norva-lgo.xml";

enum class RegisterOutcome {
  Registered,
  KeyNotWritten,           // a class-root key or value could not be written; later ones not tried
  DesktopFilesNotWritten,  // the keys are in place, the desktop entry or MIME type is not
};
const char* toString(RegisterOutcome outcome);

class LgoAssociation {
 public:
  LgoAssociation(RegistryStore& store, std::string programPath, std::filesystem::path dataHome,
                 ToolRunner runTool = runDesktopTool);

  // Writes the four class-root keys in order, stopping at the first that cannot be written,
  // then the desktop entry and MIME type.
  RegisterOutcome registerType();

  // Deletes the ".lgo" default value and the association keys in order, stopping at the first
  // that cannot be deleted; removes the desktop entry and MIME type. Returns how many keys
  // were deleted.
  int unregisterType();

  // The keys unregistering deletes, in order.
  static const std::vector<std::string>& keysToDelete();

  std::filesystem::path desktopFile() const;
  std::filesystem::path mimePackage() const;
  std::string desktopEntryText() const;
  static std::string mimePackageText();

 private:
  RegistryStore& store_;
  std::string program_;
  std::filesystem::path dataHome_;
  ToolRunner runTool_;
};

}  // namespace norva::logo
