#include "lyrics/file_entry_list.h"

#include <algorithm>

#include "base/file_names.h"

namespace norva::lyr {
namespace {

char asciiLower(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool nameLess(const FileEntry& a, const FileEntry& b) {
  return std::lexicographical_compare(a.name.begin(), a.name.end(), b.name.begin(), b.name.end(),
                                      [](char x, char y) {
                                        return static_cast<unsigned char>(asciiLower(x)) <
                                               static_cast<unsigned char>(asciiLower(y));
                                      });
}

}  // namespace

bool FileEntryList::add(FileEntry entry) {
  const bool listed = std::any_of(entries_.begin(), entries_.end(), [&](const FileEntry& row) {
    return equalsIgnoringCase(row.name, entry.name) && equalsIgnoringCase(row.folder, entry.folder);
  });
  if (listed) return false;
  entries_.push_back(std::move(entry));
  return true;
}

void FileEntryList::remove(std::span<const size_t> rows) {
  std::vector<bool> removed(entries_.size(), false);
  for (size_t row : rows)
    if (row < removed.size()) removed[row] = true;
  size_t kept = 0;
  for (size_t i = 0; i < entries_.size(); ++i)
    if (!removed[i]) entries_[kept++] = std::move(entries_[i]);
  entries_.resize(kept);
}

void FileEntryList::sortByName() {
  std::stable_sort(entries_.begin(), entries_.end(), nameLess);
}

FileEntry fileEntryOf(std::string_view path, uint64_t size) {
  const size_t slash = path.rfind('/');
  if (slash == std::string_view::npos) return FileEntry{std::string(path), "./", size};
  return FileEntry{std::string(path.substr(slash + 1)), std::string(path.substr(0, slash + 1)),
                   size};
}

}  // namespace norva::lyr
