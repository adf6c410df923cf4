#pragma once
// Ties the .lyr, .lrc and .tly file types to the lyric editor and unties them again: the
// class-root keys in our registry store (the program's path in the icon and command values),
// and the desktop's own association for the user: the editor's desktop entry and the MIME types
// in the user's data folder, and the editor as the user's default application for the three
// types in the user's mimeapps.list.
//
// Untying removes what tying wrote and nothing else: the extensions' default values only where
// they still name the editor's types, the editor's type keys (a key another program added
// under them stays, and so do its parents), the defaults that still name the editor's desktop
// entry. Nothing that tying replaced is brought back.
#include <filesystem>
#include <string>
#include <string_view>

#include "base/service/desktop_association.h"
#include "base/service/registry_store.h"

namespace norva::editor {

inline constexpr std::string_view kEditorDesktopFile = "norva-sontrava.desktop";
inline constexpr std::string_view kLyricMimePackage = "norva-lyrics.xml";

struct AssociationFolders {
  std::filesystem::path dataHome;    // desktop entry and MIME types: $XDG_DATA_HOME
  std::filesystem::path configHome;  // mimeapps.list: $XDG_CONFIG_HOME
};

enum class AssociationChange {
  Done,
  KeysIncomplete,     // some class-root key or value could not be written or removed
  DesktopIncomplete,  // the keys are done; a desktop file or the defaults could not be changed
};
const char* toString(AssociationChange change);

class LyricFileAssociations {
 public:
  LyricFileAssociations(RegistryStore& store, std::string programPath, AssociationFolders folders,
                        ToolRunner runTool = runDesktopTool);

  // True when ".lyr" names the editor's LYR type, compared case-sensitively. Only LYR is
  // looked at. A store that cannot be changed counts as not associated.
  bool isAssociated() const;

  // For LYR, LRC, TLY: the four keys of the type in order; a key that cannot be written
  // ends that type and the next type is tried. Then the desktop files and the defaults.
  AssociationChange associate();
  AssociationChange unassociate();

  std::filesystem::path desktopFile() const;
  std::filesystem::path mimePackage() const;
  std::string desktopEntryText() const;
  static std::string_view mimePackageText();

 private:
  AssociationChange associateDesktop();
  AssociationChange unassociateDesktop();

  RegistryStore& store_;
  std::string program_;
  AssociationFolders folders_;
  ToolRunner runTool_;
};

}  // namespace norva::editor
