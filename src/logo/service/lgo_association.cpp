#include "logo/service/lgo_association.h"

#include "base/service/file_io.h"

namespace norva::logo {
namespace {

constexpr const char* kProgId = "Logo.LgoFile";

}  // namespace

LgoAssociation::LgoAssociation(RegistryStore& store, std::string programPath,
                               std::filesystem::path dataHome, ToolRunner runTool)
    : store_(store),
      program_(std::move(programPath)),
      dataHome_(std::move(dataHome)),
      runTool_(std::move(runTool)) {}

const std::vector<std::string>& LgoAssociation::keysToDelete() {
  static const std::vector<std::string> keys = {
      "Logo.LgoFile\\DefaultIcon",
      "Logo.LgoFile\\shell\\open\\command",
      "Logo.LgoFile\\shell\\open",
      "Logo.LgoFile\\shell\\Open Lgo file with Glyphane\\command",
      "Logo.LgoFile\\shell\\Open Lgo file with Glyphane",
      "Logo.LgoFile\\shell",
      "Logo.LgoFile",
      "Applications\\Glyphane.exe\\shell\\open\\command",
      "Applications\\Glyphane.exe\\shell\\open",
      "Applications\\Glyphane.exe\\shell\\Open Lgo file with Glyphane\\command",
      "Applications\\Glyphane.exe\\shell\\Open Lgo file with Glyphane",
      "Applications\\Glyphane.exe\\shell",
      "Applications\\Glyphane.exe",
  };
  return keys;
}

std::filesystem::path LgoAssociation::desktopFile() const {
  return dataHome_ / "applications" / kDesktopFileName;
}

std::filesystem::path LgoAssociation::mimePackage() const {
  return dataHome_ / "mime" / "packages" / kMimePackageName;
}

std::string LgoAssociation::desktopEntryText() const {
  return "[Desktop Entry]\n"
         "Type=Application\n"
         "Name=Glyphane\n"
         "Name[zh_CN]=LOGO编辑工具\n"
         "Comment=NORVA RD710 LOGO编辑软件\n"
         "Exec=" +
         desktopExecArgument(program_) +
         " %f\n"
         "Icon=norva-glyphane\n"
         "Terminal=false\n"
         "Categories=Graphics;\n"
         "MimeType=" +
         std::string(kLgoMimeType) + ";\n";
}

std::string LgoAssociation::mimePackageText() {
  return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
         "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
         "  <mime-type type=\"" +
         std::string(kLgoMimeType) +
         "\">\n"
         "    <comment>NORVA RD710 logo</comment>\n"
         "    <comment xml:lang=\"zh_CN\">NORVA RD710 LOGO</comment>\n"
         "    <glob pattern=\"*.lgo\"/>\n"
         "  </mime-type>\n"
         "</mime-info>\n";
}

const char* toString(RegisterOutcome outcome) {
  switch (outcome) {
    case RegisterOutcome::Registered:
      return "registered";
    case RegisterOutcome::KeyNotWritten:
      return "a class-root key could not be written";
    case RegisterOutcome::DesktopFilesNotWritten:
      return "the desktop entry or MIME type could not be written";
  }
  return "unknown register outcome";
}

RegisterOutcome LgoAssociation::registerType() {
  const std::string command = "\"" + program_ + "\" %L";
  const std::pair<std::string, std::string> rows[] = {
      {".lgo", kProgId},
      {"Logo.LgoFile\\DefaultIcon", program_ + ",-127"},
      {"Logo.LgoFile\\shell\\open\\command", command},
      {"Logo.LgoFile\\shell\\Open Lgo file with Glyphane\\command", command},
  };
  for (const auto& [key, value] : rows) {
    if (!store_.createKey(key) || !store_.setValue(key, "", value))
      return RegisterOutcome::KeyNotWritten;
  }
  std::error_code ec;
  std::filesystem::create_directories(desktopFile().parent_path(), ec);
  std::filesystem::create_directories(mimePackage().parent_path(), ec);
  const bool desktopOk = writeFileAtomically(desktopFile(), desktopEntryText()).ok();
  const bool mimeOk = writeFileAtomically(mimePackage(), mimePackageText()).ok();
  runTool_({"update-mime-database", (dataHome_ / "mime").string()});
  runTool_({"update-desktop-database", (dataHome_ / "applications").string()});
  return desktopOk && mimeOk ? RegisterOutcome::Registered
                             : RegisterOutcome::DesktopFilesNotWritten;
}

int LgoAssociation::unregisterType() {
  if (store_.keyExists(".lgo")) store_.deleteValue(".lgo", "");
  int deleted = 0;
  for (const auto& key : keysToDelete()) {
    if (!store_.deleteKey(key)) break;
    ++deleted;
  }
  std::error_code ec;
  const bool hadDesktop = std::filesystem::remove(desktopFile(), ec);
  const bool hadMime = std::filesystem::remove(mimePackage(), ec);
  if (hadMime) runTool_({"update-mime-database", (dataHome_ / "mime").string()});
  if (hadDesktop) runTool_({"update-desktop-database", (dataHome_ / "applications").string()});
  return deleted;
}

}  // namespace norva::logo
