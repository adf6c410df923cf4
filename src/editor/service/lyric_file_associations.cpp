#include "editor/service/lyric_file_associations.h"

#include <array>

#include "base/service/file_io.h"

namespace norva::editor {
namespace {

struct LyricType {
  std::string_view extension;
  std::string_view progId;
  std::string_view iconResource;
  std::string_view openSwitch;
  std::string_view verb;
  std::string_view mimeType;
};

// The verbs are spelled as the program has always written them.
constexpr std::array<LyricType, 3> kTypes{{
    {".lyr", "Zuvoza.LyrFile", "-233", "/LYR", "Open LYR file with Zuvoza",
     "application/x-norva-lyr"},
    {".lrc", "Zuvoza.LrcFile", "-222", "/Lrc", "Open Lrc file with Rovoze",
     "application/x-norva-lrc"},
    {".tly", "Zuvoza.TlyFile", "-227", "/TLY", "Open TLY file with Rovoze",
     "application/x-norva-tly"},
}};

constexpr std::array<std::string_view, 3> kMimeTypes{kTypes[0].mimeType, kTypes[1].mimeType,
                                                     kTypes[2].mimeType};

constexpr std::string_view kMimePackage =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
    "  <mime-type type=\"application/x-norva-lyr\">\n"
    "    <comment>NORVA RD710 compiled lyric</comment>\n"
    "    <comment xml:lang=\"zh_CN\">NORVA RD710 LYR歌词</comment>\n"
    "    <magic priority=\"50\">\n"
    "      <match type=\"string\" offset=\"2\" value=\"Norva 398\"/>\n"
    "    </magic>\n"
    "    <glob pattern=\"*.lyr\"/>\n"
    "  </mime-type>\n"
    "  <mime-type type=\"application/x-norva-lrc\">\n"
    "    <comment>LRC lyric</comment>\n"
    "    <comment xml:lang=\"zh_CN\">LRC歌词</comment>\n"
    "    <sub-class-of type=\"text/plain\"/>\n"
    "    <glob pattern=\"*.lrc\"/>\n"
    "  </mime-type>\n"
    "  <mime-type type=\"application/x-norva-tly\">\n"
    "    <comment>NORVA RD710 timed lyric text</comment>\n"
    "    <comment xml:lang=\"zh_CN\">NORVA RD710 TLY歌词</comment>\n"
    "    <sub-class-of type=\"text/plain\"/>\n"
    "    <glob pattern=\"*.tly\"/>\n"
    "  </mime-type>\n"
    "</mime-info>\n";

std::string key(std::string_view progId, std::string_view below = {}) {
  std::string path(progId);
  if (!below.empty()) path.append("\\").append(below);
  return path;
}

std::string verbKey(const LyricType& type) {
  return key(type.progId, "shell\\" + std::string(type.verb));
}

// The keys of a type that tying writes or creates, children before their parents.
std::array<std::string, 7> ownedKeys(const LyricType& type) {
  return {key(type.progId, "DefaultIcon"),
          key(type.progId, "shell\\open\\command"),
          key(type.progId, "shell\\open"),
          verbKey(type) + "\\command",
          verbKey(type),
          key(type.progId, "shell"),
          key(type.progId)};
}

}  // namespace

const char* toString(AssociationChange change) {
  switch (change) {
    case AssociationChange::Done:
      return "done";
    case AssociationChange::KeysIncomplete:
      return "some class-root keys could not be changed";
    case AssociationChange::DesktopIncomplete:
      return "the desktop entry, MIME types or default applications could not be changed";
  }
  return "unknown association change";
}

LyricFileAssociations::LyricFileAssociations(RegistryStore& store, std::string programPath,
                                             AssociationFolders folders, ToolRunner runTool)
    : store_(store),
      program_(std::move(programPath)),
      folders_(std::move(folders)),
      runTool_(std::move(runTool)) {}

bool LyricFileAssociations::isAssociated() const {
  if (!store_.writable()) return false;
  const std::optional<std::string> value = store_.value(kTypes[0].extension, "");
  return value.has_value() && *value == kTypes[0].progId;
}

AssociationChange LyricFileAssociations::associate() {
  bool allWritten = true;
  for (const LyricType& type : kTypes) {
    const std::string command = "\"" + program_ + "\" " + std::string(type.openSwitch) + " \"%L\"";
    const std::array<std::pair<std::string, std::string>, 4> rows{{
        {std::string(type.extension), std::string(type.progId)},
        {key(type.progId, "DefaultIcon"), program_ + "," + std::string(type.iconResource)},
        {key(type.progId, "shell\\open\\command"), command},
        {verbKey(type) + "\\command", command},
    }};
    for (const auto& [path, value] : rows) {
      if (!store_.createKey(path) || !store_.setValue(path, "", value)) {
        allWritten = false;
        break;  // the rest of this type is skipped; the next type is tried
      }
    }
  }
  const AssociationChange desktop = associateDesktop();
  return allWritten ? desktop : AssociationChange::KeysIncomplete;
}

AssociationChange LyricFileAssociations::unassociate() {
  bool allRemoved = true;
  for (const LyricType& type : kTypes) {
    const std::optional<std::string> named = store_.value(type.extension, "");
    if (named == type.progId && !store_.deleteValue(type.extension, "")) allRemoved = false;
    for (const std::string& owned : ownedKeys(type)) {
      if (!store_.keyExists(owned) || !store_.subkeys(owned).empty()) continue;
      if (!store_.deleteKey(owned)) allRemoved = false;
    }
  }
  const AssociationChange desktop = unassociateDesktop();
  return allRemoved ? desktop : AssociationChange::KeysIncomplete;
}

std::filesystem::path LyricFileAssociations::desktopFile() const {
  return folders_.dataHome / "applications" / kEditorDesktopFile;
}

std::filesystem::path LyricFileAssociations::mimePackage() const {
  return folders_.dataHome / "mime" / "packages" / kLyricMimePackage;
}

std::string LyricFileAssociations::desktopEntryText() const {
  std::string mimeTypes;
  for (std::string_view type : kMimeTypes) mimeTypes.append(type).append(";");
  return "[Desktop Entry]\n"
         "Type=Application\n"
         "Name=Sontrava\n"
         "Name[zh_CN]=NORVA RD710歌词编辑软件\n"
         "Comment=NORVA RD710 lyric editor\n"
         "Comment[zh_CN]=编辑歌词并转化为LYR\n"
         "Exec=" +
         desktopExecArgument(program_) +
         " %f\n"
         "Icon=norva-sontrava\n"
         "Terminal=false\n"
         "Categories=Utility;TextEditor;\n"
         "MimeType=" +
         mimeTypes + "\n";
}

std::string_view LyricFileAssociations::mimePackageText() {
  return kMimePackage;
}

AssociationChange LyricFileAssociations::associateDesktop() {
  std::error_code ec;
  std::filesystem::create_directories(desktopFile().parent_path(), ec);
  std::filesystem::create_directories(mimePackage().parent_path(), ec);
  const bool desktopOk = writeFileAtomically(desktopFile(), desktopEntryText()).ok();
  const bool mimeOk = writeFileAtomically(mimePackage(), mimePackageText()).ok();
  runTool_({"update-mime-database", (folders_.dataHome / "mime").string()});
  runTool_({"update-desktop-database", (folders_.dataHome / "applications").string()});
  const bool defaultsOk =
      setDefaultApplication(folders_.configHome, kMimeTypes, kEditorDesktopFile);
  return desktopOk && mimeOk && defaultsOk ? AssociationChange::Done
                                           : AssociationChange::DesktopIncomplete;
}

AssociationChange LyricFileAssociations::unassociateDesktop() {
  const bool defaultsOk =
      removeDefaultApplication(folders_.configHome, kMimeTypes, kEditorDesktopFile);
  std::error_code ec;
  const bool hadDesktop = std::filesystem::remove(desktopFile(), ec);
  const bool desktopOk = !ec;
  const bool hadMime = std::filesystem::remove(mimePackage(), ec);
  const bool mimeOk = !ec;
  if (hadMime) runTool_({"update-mime-database", (folders_.dataHome / "mime").string()});
  if (hadDesktop)
    runTool_({"update-desktop-database", (folders_.dataHome / "applications").string()});
  return defaultsOk && desktopOk && mimeOk ? AssociationChange::Done
                                           : AssociationChange::DesktopIncomplete;
}

}  // namespace norva::editor
