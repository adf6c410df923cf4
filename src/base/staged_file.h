#pragma once
// A file written piece by piece that appears under its name only when it is complete: the
// pieces go to a temporary file beside it, commit() flushes it to disk and renames it over the
// name, and a staged file that is never committed is removed. An old file of that name stays
// as it was until the commit succeeds.
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

 private:
  bool fail(const std::string& what);

  std::filesystem::path path_;
  std::string temporary_;
  int fd_ = -1;
  bool committed_ = false;
  std::string error_;
};

}  // namespace norva
