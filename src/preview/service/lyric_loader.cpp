#include "preview/service/lyric_loader.h"

#include <algorithm>
#include <fstream>
#include <vector>

#include "base/file_names.h"
#include "base/service/file_io.h"
#include "lyrics/lyr_layout.h"
#include "preview/preview_messages.h"

namespace norva::preview {

std::optional<std::filesystem::path> findIgnoringCase(const std::filesystem::path& path) {
  std::error_code ec;
  if (std::filesystem::is_regular_file(path, ec)) return path;
  const auto folder = path.has_parent_path() ? path.parent_path() : std::filesystem::path(".");
  const std::string wanted = path.filename().string();
  for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end;
       it.increment(ec)) {
    if (equalsIgnoringCase(it->path().filename().string(), wanted) && it->is_regular_file(ec))
      return path.has_parent_path() ? it->path() : it->path().filename();
  }
  return std::nullopt;
}

namespace {

// The status text without a lyric, then the file read in double quotes.
std::string missingLyricText(bool mpr, const std::string& readName) {
  return std::string(mpr ? kNoSyncLyricText : kNoLyricFileText) + '"' + readName + '"';
}

}  // namespace

LyricLoad loadLyricFor(const std::filesystem::path& media) {
  return loadLyricFor(media, isMprName(media));
}

LyricLoad loadLyricFor(const std::filesystem::path& media, bool mpr) {
  LyricLoad load;
  std::optional<std::vector<uint8_t>> body;
  if (mpr) {
    load.readPath = media;
    body = readFilePart(media, 0, kMaxLyricBody);
  } else {
    load.readPath = lyricPathFor(media);
    if (auto found = findIgnoringCase(load.readPath)) {
      load.readPath = *found;
      body = readFilePart(*found, lyr::kHeaderSize, kMaxLyricBody);
    }
  }
  if (body) load.track = LyricTrack::fromBody(*body);
  if (!load.track) {
    load.missingMessage = missingLyricText(mpr, load.readPath.string());
  }
  return load;
}

LyricLoad loadLyricFor(const std::filesystem::path& media, bool isMpr,
                       const std::string& shownName) {
  LyricLoad load;
  load.readPath = media;
  if (isMpr) {
    if (auto body = readFilePart(media, 0, kMaxLyricBody)) load.track = LyricTrack::fromBody(*body);
  }
  if (!load.track) {
    load.missingMessage = missingLyricText(isMpr, shownName);
  }
  return load;
}

}  // namespace norva::preview
