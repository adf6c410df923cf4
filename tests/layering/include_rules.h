#pragma once
// The include rules that keep every module's layers apart:
// - a module's core (the files at src/<module>/) includes only standard and system headers and
//   other cores: no Qt header, nothing from a service/ or app/ folder, nothing of the desktop
//   library;
// - a service (src/<module>/service/) includes no window code: nothing from an app/ folder,
//   nothing of the desktop library, no Qt Widgets header;
// - app/ folders and the programs may include anything below them.
#include <filesystem>
#include <string>
#include <vector>

namespace norva::layering {

struct Violation {
  std::string file;  // relative to the source root
  int line = 0;
  std::string include;
  std::string rule;

  bool operator==(const Violation&) const = default;
};

enum class Layer { Core, Service, App, Other };

// The layer of a file given by its path relative to the source root ("lyrics/lyr_writer.cpp").
Layer layerOf(const std::filesystem::path& relative);

// The rule an include line breaks in a file of that layer, or empty when it is allowed.
std::string brokenRule(Layer layer, const std::string& includeTarget);

// Every violation in the .h/.cpp files below root.
std::vector<Violation> findViolations(const std::filesystem::path& root);

}  // namespace norva::layering
