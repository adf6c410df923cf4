#include "layering/include_rules.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <fstream>
#include <regex>
#include <string_view>

namespace norva::layering {
namespace {

// Modules whose root folder is a program rather than a core.
constexpr std::array<std::string_view, 2> kProgramModules = {"cli", "desktop"};

constexpr std::array<std::string_view, 8> kWidgetHeaders = {
    "QApplication", "QWidget",     "QDialog",     "QMainWindow",
    "QMessageBox",  "QFileDialog", "QFontDialog", "QAction"};

bool startsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

bool isQtHeader(std::string_view target) {
  return target.size() > 1 && target[0] == 'Q' &&
         (std::isupper(static_cast<unsigned char>(target[1])) || target[1] == 't');
}

bool isWidgetsHeader(std::string_view target) {
  if (startsWith(target, "QtWidgets") || startsWith(target, "QtPrintSupport")) return true;
  return std::find(kWidgetHeaders.begin(), kWidgetHeaders.end(), target) != kWidgetHeaders.end();
}

bool namesFolder(std::string_view target, std::string_view folder) {
  // "logo/app/x.h" or "app/x.h" from inside a module.
  const std::string inner = "/" + std::string(folder) + "/";
  return target.find(inner) != std::string_view::npos ||
         startsWith(target, std::string(folder) + "/");
}

}  // namespace

Layer layerOf(const std::filesystem::path& relative) {
  std::vector<std::string> parts;
  for (const auto& part : relative) parts.push_back(part.string());
  if (parts.size() < 2) return Layer::Other;
  if (std::find(kProgramModules.begin(), kProgramModules.end(), parts[0]) != kProgramModules.end())
    return Layer::App;
  if (parts.size() == 2) return Layer::Core;
  if (parts[1] == "service") return Layer::Service;
  if (parts[1] == "app") return Layer::App;
  return Layer::Other;
}

std::string brokenRule(Layer layer, const std::string& target) {
  switch (layer) {
    case Layer::Core:
      if (isQtHeader(target)) return "a core includes no Qt header";
      if (namesFolder(target, "service")) return "a core includes no service header";
      if (namesFolder(target, "app")) return "a core includes no window code";
      if (startsWith(target, "desktop/")) return "a core includes no desktop code";
      return {};
    case Layer::Service:
      if (isWidgetsHeader(target)) return "a service includes no Qt Widgets header";
      if (namesFolder(target, "app")) return "a service includes no window code";
      if (startsWith(target, "desktop/")) return "a service includes no desktop code";
      return {};
    case Layer::App:
    case Layer::Other:
      return {};
  }
  return {};
}

std::vector<Violation> findViolations(const std::filesystem::path& root) {
  static const std::regex kInclude(R"(^\s*#\s*include\s*[<"]([^>"]+)[>"])");
  std::vector<Violation> found;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
    const auto& path = entry.path();
    if (!entry.is_regular_file() || (path.extension() != ".h" && path.extension() != ".cpp"))
      continue;
    const auto relative = std::filesystem::relative(path, root);
    const Layer layer = layerOf(relative);
    std::ifstream in(path);
    std::string line;
    int number = 0;
    std::smatch match;
    while (std::getline(in, line)) {
      ++number;
      if (!std::regex_search(line, match, kInclude)) continue;
      std::string rule = brokenRule(layer, match[1].str());
      if (!rule.empty()) found.push_back({relative.generic_string(), number, match[1].str(), rule});
    }
  }
  std::sort(found.begin(), found.end(), [](const Violation& a, const Violation& b) {
    return a.file < b.file || (a.file == b.file && a.line < b.line);
  });
  return found;
}

}  // namespace norva::layering
