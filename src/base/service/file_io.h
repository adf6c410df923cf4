#pragma once
// Whole-file read and crash-safe whole-file write.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace norva {

struct ReadResult {
  enum class Status { Ok, CannotOpen, TooLarge };
  Status status = Status::CannotOpen;
  std::vector<uint8_t> bytes;  // the whole file when Ok
  uint64_t fileSize = 0;       // known when Ok or TooLarge
};

// Reads a whole regular file. Files larger than `maxBytes` are not read (TooLarge).
ReadResult readWholeFile(const std::filesystem::path& path, uint64_t maxBytes = UINT64_MAX);

// Reads at most `limit` bytes of a regular file from `offset` on: fewer when the file ends
// first, none when it ends at or before `offset`. Nothing when the file cannot be opened or read.
std::optional<std::vector<uint8_t>> readFilePart(const std::filesystem::path& path, uint64_t offset,
                                                 size_t limit);

enum class WriteStatus { Written, NotWritten };
const char* toString(WriteStatus status);

struct WriteResult {
  WriteStatus status = WriteStatus::NotWritten;
  std::string error;  // what failed and the system's reason, when NotWritten
  bool ok() const { return status == WriteStatus::Written; }
};

// Writes `bytes` to a temporary file beside `path`, flushes it to disk and renames it over
// `path`, so the old file survives any failure (see StagedFile).
WriteResult writeFileAtomically(const std::filesystem::path& path, std::span<const uint8_t> bytes);

inline WriteResult writeFileAtomically(const std::filesystem::path& path, std::string_view text) {
  return writeFileAtomically(
      path, std::span<const uint8_t>(reinterpret_cast<const uint8_t*>(text.data()), text.size()));
}

}  // namespace norva
