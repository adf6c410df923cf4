#include "editor/startup.h"

#include <array>

#include "base/file_names.h"
#include "editor/lyric_file_type.h"

namespace norva::editor {
namespace {

constexpr std::array<std::string_view, 3> kAssociationSwitches{"/LYR", "/LRC", "/TLY"};
constexpr std::string_view kScreenshotOption = "--screenshot";

bool isAssociationSwitch(std::string_view arg) {
  for (std::string_view known : kAssociationSwitches)
    if (arg.size() == known.size() && endsWithIgnoringCase(arg, known)) return true;
  return false;
}

}  // namespace

const char* toString(StartupParse result) {
  return result == StartupParse::Ok ? "Ok" : "MissingScreenshotPath";
}

StartupParse parseStartup(std::span<const std::string> args,
                          const std::filesystem::path& startFolder, StartupCommand& command) {
  command = {};
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == kScreenshotOption) {
      if (i + 1 >= args.size()) return StartupParse::MissingScreenshotPath;
      command.screenshot = (startFolder / args[++i]).lexically_normal();
      continue;
    }
    if (isAssociationSwitch(arg) || (arg.size() > 1 && arg.front() == '-')) continue;
    if (!command.file) command.file = (startFolder / arg).lexically_normal();
  }
  return StartupParse::Ok;
}

WindowRect mainWindowRect(const WindowRect& screen) {
  const int width = screen.width * 2 / 3;
  const int height = screen.height * 2 / 3;
  return {screen.x + (screen.width - width) / 2, screen.y + (screen.height - height) / 2, width,
          height};
}

}  // namespace norva::editor
