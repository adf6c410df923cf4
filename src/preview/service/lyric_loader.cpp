#include "preview/service/lyric_loader.h"

#include <algorithm>
#include <fstream>
#include <vector>

#include "preview/preview_messages.h"

namespace norva::preview {
namespace {

// The LYR file's header block; the body the track reads starts after it.
constexpr uint64_t kLyrHeaderBlock = 512;

// Reads up to `limit` bytes from `offset` on; nothing when the file cannot be opened.
std::optional<std::vector<uint8_t>> readPart(const std::filesystem::path& path, uint64_t offset,
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

}  // namespace

std::optional<std::filesystem::path> findIgnoringCase(const std::filesystem::path& path) {
  std::error_code ec;
  if (std::filesystem::is_regular_file(path, ec)) return path;
  const auto folder = path.has_parent_path() ? path.parent_path() : std::filesystem::path(".");
  const std::string wanted = path.filename().string();
  for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end;
       it.increment(ec)) {
    if (sameNameIgnoringCase(it->path().filename().string(), wanted) && it->is_regular_file(ec))
      return path.has_parent_path() ? it->path() : it->path().filename();
  }
  return std::nullopt;
}

LyricLoad loadLyricFor(const std::filesystem::path& media) {
  LyricLoad load;
  std::optional<std::vector<uint8_t>> body;
  const bool mpr = isMprName(media);
  if (mpr) {
    load.readPath = media;
    body = readPart(media, 0, kMaxLyricBody);
  } else {
    load.readPath = lyricPathFor(media);
    if (auto found = findIgnoringCase(load.readPath)) {
      load.readPath = *found;
      body = readPart(*found, kLyrHeaderBlock, kMaxLyricBody);
    }
  }
  if (body) load.track = LyricTrack::fromBody(*body);
  if (!load.track) {
    load.missingMessage =
        std::string(mpr ? kNoSyncLyricText : kNoLyricFileText) + '"' + load.readPath.string() + '"';
  }
  return load;
}

}  // namespace norva::preview
