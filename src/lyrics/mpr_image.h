#pragma once
// MPR: one MP3 file with its compiled lyric in front. The lyric part is the LYR image after
// relay without its 512-byte header block (so every offset in it counts from the start of the
// MPR file), its directory record named "NORVA MP3"; the MP3 file follows, byte for byte, at
// the text end rounded up to a multiple of 512.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <vector>

#include "lyrics/lyr_format.h"

namespace norva::lyr {

constexpr size_t kMprCopyChunk = 65536;  // the MP3 is copied in pieces of this size

// How a lyric file is made into a LYR image, by its last four characters in any letter case.
enum class LyricKind { TimedText, Lrc, Lyr };
const char* toString(LyricKind kind);
LyricKind lyricKindOf(const std::filesystem::path& lyric);

// The MPR file next to an MP3: its path with the last three characters replaced by "MPR".
std::filesystem::path defaultMprPath(const std::filesystem::path& mp3);

// A LYR file read whole, in the image buffer. Nothing when it is not a LYR file: no LYR header,
// shorter than header and directory, or larger than the buffer.
std::optional<LyrImage> lyrImageFromFile(std::span<const uint8_t> file);

// The lyric part of an MPR file from a relayed image. Nothing when the image is not whole
// 512-byte blocks with at least one after the header, or larger than 32768 bytes.
std::optional<std::vector<uint8_t>> mprLyricPart(const LyrImage& image);

}  // namespace norva::lyr
