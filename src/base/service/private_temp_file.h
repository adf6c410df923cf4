#pragma once
// A private temporary file (mode 0600, created exclusively with a random name) in the user's
// temporary folder, removed when the object goes, whatever path the caller takes.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string_view>

namespace norva {

class PrivateTempFile {
 public:
  // Creates "<temp folder>/<prefix>XXXXXX"; nothing when it cannot be created.
  static std::optional<PrivateTempFile> create(std::string_view prefix);
  ~PrivateTempFile();
  PrivateTempFile(PrivateTempFile&& other) noexcept;
  PrivateTempFile& operator=(PrivateTempFile&&) = delete;
  PrivateTempFile(const PrivateTempFile&) = delete;
  PrivateTempFile& operator=(const PrivateTempFile&) = delete;

  const std::filesystem::path& path() const { return path_; }
  // Writes all bytes and flushes them; false on any failure.
  bool write(std::span<const uint8_t> bytes);

 private:
  PrivateTempFile(std::filesystem::path path, int fd) : path_(std::move(path)), fd_(fd) {}
  std::filesystem::path path_;
  int fd_ = -1;
};

}  // namespace norva
