#pragma once
// The File menu's list of recently used files, newest first.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace norva::editor {

class RecentFileList {
 public:
  static constexpr size_t kCapacity = 4;

  explicit RecentFileList(std::vector<std::string> stored = {});

  // Puts `path` (trailing blanks removed) at the top; an entry already listed moves up, and
  // beyond four entries the oldest drops out. Empty paths are ignored.
  void add(std::string_view path);
  void remove(std::string_view path);

  const std::vector<std::string>& entries() const { return entries_; }

 private:
  std::vector<std::string> entries_;
};

// The path without trailing blanks.
std::string_view trimTrailingBlanks(std::string_view path);

}  // namespace norva::editor
