#include "lyrics/mpr_image.h"

#include <algorithm>

#include "base/file_names.h"
#include "lyrics/lyr_reader.h"

namespace norva::lyr {

const char* toString(LyricKind kind) {
  switch (kind) {
    case LyricKind::TimedText:
      return "timed text";
    case LyricKind::Lrc:
      return "LRC";
    case LyricKind::Lyr:
      return "LYR";
  }
  return "?";
}

LyricKind lyricKindOf(const std::filesystem::path& lyric) {
  if (endsWithIgnoringCase(lyric.native(), ".TLY")) return LyricKind::TimedText;
  if (endsWithIgnoringCase(lyric.native(), ".LRC")) return LyricKind::Lrc;
  return LyricKind::Lyr;
}

std::filesystem::path defaultMprPath(const std::filesystem::path& mp3) {
  return replaceLastCharacters(mp3.native(), 3, "MPR");
}

std::optional<LyrImage> lyrImageFromFile(std::span<const uint8_t> file) {
  if (file.size() > kMaxImageSize || file.size() < kHeaderSize + kDirectorySize ||
      !hasLyrHeader(file))
    return std::nullopt;
  LyrImage image;
  std::copy(file.begin(), file.end(), image.bytes.begin());
  image.size = file.size();
  return image;
}

std::optional<std::vector<uint8_t>> mprLyricPart(const LyrImage& image) {
  const size_t size = image.size;
  if (size < kHeaderSize + kBlockSize || size > kMaxImageSize || size % kBlockSize != 0)
    return std::nullopt;
  std::vector<uint8_t> part(image.bytes.begin() + kHeaderSize,
                            image.bytes.begin() + static_cast<ptrdiff_t>(size));
  std::copy(kMprName.begin(), kMprName.end(), part.begin() + kDirNameOffset);
  return part;
}

}  // namespace norva::lyr
