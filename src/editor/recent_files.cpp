#include "editor/recent_files.h"

#include <algorithm>

namespace norva::editor {

std::string_view trimTrailingBlanks(std::string_view path) {
  while (!path.empty() && path.back() == ' ') path.remove_suffix(1);
  return path;
}

RecentFileList::RecentFileList(std::vector<std::string> stored) {
  // Added oldest first so that duplicates and the capacity are handled as for new entries.
  for (auto it = stored.rbegin(); it != stored.rend(); ++it) add(*it);
}

void RecentFileList::add(std::string_view path) {
  const std::string_view trimmed = trimTrailingBlanks(path);
  if (trimmed.empty()) return;
  remove(trimmed);
  entries_.insert(entries_.begin(), std::string(trimmed));
  if (entries_.size() > kCapacity) entries_.resize(kCapacity);
}

void RecentFileList::remove(std::string_view path) {
  std::erase_if(entries_, [&](const std::string& entry) { return entry == path; });
}

}  // namespace norva::editor
