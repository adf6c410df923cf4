#pragma once
// What the editor does at start: the command line and the main window's first place.
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace norva::editor {

struct StartupCommand {
  std::optional<std::filesystem::path> file;        // absolute; none: a new empty document
  std::optional<std::filesystem::path> screenshot;  // --screenshot PNG
  bool operator==(const StartupCommand&) const = default;
};

enum class StartupParse { Ok, MissingScreenshotPath };

const char* toString(StartupParse result);

// Reads the arguments after the program name. The switches "/LYR", "/Lrc" and "/TLY" (any
// letter case) that the file associations put in front of the file are passed over, as are
// other options starting with "-"; the first remaining argument is the file, made absolute
// against `startFolder`, the folder the program was started in.
StartupParse parseStartup(std::span<const std::string> args,
                          const std::filesystem::path& startFolder, StartupCommand& command);

struct WindowRect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  bool operator==(const WindowRect&) const = default;
};

// Two thirds of the screen's width and height, centred on the screen.
WindowRect mainWindowRect(const WindowRect& screen);

}  // namespace norva::editor
