#pragma once
// A file written piece by piece that appears under its name only when it is complete: the
// pieces go to an unnamed temporary file in the same folder, commit() flushes it to disk and
// renames it over the name, and a staged file that is never committed leaves nothing behind,
// even when the process is killed. An old file of that name stays as it was until the commit
// succeeds, and keeps its permissions. A name that is a symbolic link keeps the link: the
// link's final target is the file that is replaced.
//
// A name that is a device or a pipe (/dev/null, /dev/full, a FIFO) is written straight into:
// renaming a file over it would put a plain file in the device's place. Its errors (a full
// device) come back from write() or commit().
//
// Where the file system cannot make unnamed files, a hidden named temporary file
// (".NAME.norva-XXXXXX") is used instead; such files left by a killed process are removed by the
// next staged write of the same name.
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>

namespace norva {

class StagedFile {
 public:
  explicit StagedFile(std::filesystem::path path);
  ~StagedFile();
  StagedFile(const StagedFile&) = delete;
  StagedFile& operator=(const StagedFile&) = delete;

  // False (with error() set) when the temporary file could not be made or written.
  bool ok() const { return error_.empty(); }
  bool write(std::span<const uint8_t> bytes);
  bool commit();
  const std::string& error() const { return error_; }

  // The file that commit() replaces: the path itself, or the end of its chain of links.
  const std::filesystem::path& target() const { return path_; }

 private:
  bool fail(const std::string& what);
  bool openUnnamed(const std::filesystem::path& folder, unsigned mode);
  bool openNamed(const std::filesystem::path& folder, unsigned mode);

  std::filesystem::path path_;
  std::string temporary_;  // the named temporary file, when one is used
  bool direct_ = false;    // the name is a device or a pipe, written straight into
  int fd_ = -1;
  bool committed_ = false;
  std::string error_;
};

// Removes the hidden temporary files of staged writes of `path` that a killed process left:
// ours only (".NAME.norva-..."), regular, owned by this user and untouched for a minute.
void removeStaleStagedFiles(const std::filesystem::path& path);

}  // namespace norva
