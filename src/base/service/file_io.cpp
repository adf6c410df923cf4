#include "base/service/file_io.h"

#include <algorithm>
#include <fstream>

#include "base/service/staged_file.h"

namespace norva {

ReadResult readWholeFile(const std::filesystem::path& path, uint64_t maxBytes) {
  ReadResult result;
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec)) return result;
  std::ifstream in(path, std::ios::binary);
  if (!in) return result;
  in.seekg(0, std::ios::end);
  const auto size = static_cast<uint64_t>(in.tellg());
  result.fileSize = size;
  if (size > maxBytes) {
    result.status = ReadResult::Status::TooLarge;
    return result;
  }
  in.seekg(0, std::ios::beg);
  result.bytes.resize(size);
  if (size > 0 &&
      !in.read(reinterpret_cast<char*>(result.bytes.data()), static_cast<std::streamsize>(size))) {
    result.bytes.clear();
    return result;
  }
  result.status = ReadResult::Status::Ok;
  return result;
}

std::optional<std::vector<uint8_t>> readFilePart(const std::filesystem::path& path, uint64_t offset,
                                                 size_t limit) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec)) return std::nullopt;
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  in.seekg(0, std::ios::end);
  const auto size = static_cast<uint64_t>(in.tellg());
  std::vector<uint8_t> bytes;
  if (size <= offset) return bytes;
  bytes.resize(static_cast<size_t>(std::min<uint64_t>(size - offset, limit)));
  in.seekg(static_cast<std::streamoff>(offset));
  if (!in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size())))
    return std::nullopt;
  return bytes;
}

const char* toString(WriteStatus status) {
  switch (status) {
    case WriteStatus::Written:
      return "written";
    case WriteStatus::NotWritten:
      return "not written";
  }
  return "unknown write status";
}

WriteResult writeFileAtomically(const std::filesystem::path& path,
                                std::span<const uint8_t> bytes) {
  StagedFile file(path);
  if (file.write(bytes) && file.commit()) return {WriteStatus::Written, {}};
  return {WriteStatus::NotWritten, file.error()};
}

}  // namespace norva
