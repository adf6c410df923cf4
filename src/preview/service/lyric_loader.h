#pragma once
// Reads the lyric that goes with a media file from disk: the .LYR beside an MP3, or the head of
// an MPR file.
#include <filesystem>
#include <optional>
#include <string>

#include "preview/lyric_track.h"

namespace norva::preview {

// `path` itself when it exists, else the one entry of its folder whose name matches it without
// regard to case.
std::optional<std::filesystem::path> findIgnoringCase(const std::filesystem::path& path);

struct LyricLoad {
  std::optional<LyricTrack> track;
  std::filesystem::path readPath;  // the lyric file (MP3) or the MPR file
  // Without a usable track: the status text (UTF-8), "无对应的歌词文件" (MP3) or
  // "No sync lyric!" (MPR), then the path read in double quotes.
  std::optional<std::string> missingMessage;
};

// Loads the lyric of a media file: the .LYR beside an MP3 (from offset 512 on, when the file is
// larger than 512 bytes), or the head of an MPR. The kind comes from the name's ending.
LyricLoad loadLyricFor(const std::filesystem::path& media);
// The same when the caller has already decided the kind (the explorer passes it along).
LyricLoad loadLyricFor(const std::filesystem::path& media, bool isMpr);

// The same for a media file whose name does not tell its kind (a copy of standard input):
// `isMpr` says which it is, and messages name it as `shownName`. An MP3 has no file beside it,
// so it has no lyric.
LyricLoad loadLyricFor(const std::filesystem::path& media, bool isMpr,
                       const std::string& shownName);

}  // namespace norva::preview
