#include "base/file_io.h"

#include <fstream>

#include "base/staged_file.h"

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

std::string writeFileAtomically(const std::filesystem::path& path,
                                std::span<const uint8_t> bytes) {
  StagedFile file(path);
  if (file.write(bytes)) file.commit();
  return file.error();
}

}  // namespace norva
