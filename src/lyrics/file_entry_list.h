#pragma once
// The file lists of the batch converters: one row a file, its name, its folder (ending in the
// folder separator) and its size, in the order the rows were added. A file is in a list at most
// once: its name and folder are compared without regard to ASCII case, as the converters always
// have, so adding it again changes nothing; the same name in another folder is another row.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace norva::lyr {

struct FileEntry {
  std::string name;    // the file's name, as the file system spells it
  std::string folder;  // the folder, ending in '/'
  uint64_t size = 0;   // bytes

  std::string path() const { return folder + name; }
  bool operator==(const FileEntry&) const = default;
};

class FileEntryList {
 public:
  // Appends `entry` unless the same name and folder are in the list; false then.
  bool add(FileEntry entry);
  // Removes the rows at `rows` (indices into the list as it is; any order, repeats ignored).
  void remove(std::span<const size_t> rows);
  void clear() { entries_.clear(); }
  // Orders the rows by file name, ascending, ASCII letters without regard to case; rows of equal
  // names keep their order.
  void sortByName();

  const std::vector<FileEntry>& entries() const { return entries_; }
  size_t size() const { return entries_.size(); }
  bool empty() const { return entries_.empty(); }

 private:
  std::vector<FileEntry> entries_;
};

// Splits a path into folder (up to and including the last '/') and name; a path without a
// folder gets "./".
FileEntry fileEntryOf(std::string_view path, uint64_t size);

}  // namespace norva::lyr
