#pragma once
// Where everything lies in the player's compiled lyric (LYR) and in the lyric part of an MPR
// file: a 512-byte header block, a 24-byte directory record, an index of 4-byte big-endian
// (time, text offset) entries and NUL-terminated GBK screen texts, padded with zeros to whole
// 512-byte blocks. Offsets inside the body count from the directory record. The writers, the
// readers and the preview's lyric track all take their numbers from here.
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace norva::lyr {

constexpr size_t kBlockSize = 512;
constexpr size_t kHeaderSize = 512;
constexpr size_t kDirectorySize = 24;  // the index starts right after the directory record
constexpr size_t kIndexEntrySize = 4;
constexpr size_t kMaxImageSize = 32768;
constexpr size_t kMaxBodySize = kMaxImageSize - kHeaderSize;  // an MPR file's lyric part at most

// Header block fields (file offsets).
constexpr size_t kHeaderMagicOffset = 2;
constexpr std::string_view kMagic{"Norva 398\0", 10};  // with its NUL
constexpr size_t kHeaderMarkerOffset = 12;
constexpr uint8_t kHeaderMarker = 0x10;
constexpr size_t kHeaderFontClassOffset = 13;
constexpr size_t kHeaderReserveBlocksOffset = 14;

// Directory record fields (offsets inside the record).
constexpr size_t kDirNameOffset = 0;
constexpr std::string_view kMprName = "NORVA MP3";  // bytes 0-8 in an MPR file, no NUL
constexpr size_t kDirFontClassOffset = 16;
constexpr size_t kDirReserveOffsetOffset = 18;
constexpr size_t kDirTextEndOffset = 20;
constexpr size_t kDirScreenCountOffset = 22;

// Index entry fields (offsets inside an entry).
constexpr size_t kEntryTimeOffset = 0;
constexpr size_t kEntryTextOffset = 2;

// Font class byte: which player font the lyric uses.
constexpr uint8_t kFontClassNone = 0;   // no screen, small font (timed-text writer only)
constexpr uint8_t kFontClassLarge = 1;  // 16-pixel rows, 3 lines a screen
constexpr uint8_t kFontClassSmall = 2;  // 8 x 8, 6 lines a screen

// The player's screen: lines of at most 16 bytes, 3 of them in the large font, 6 in the small.
constexpr size_t kLineBytes = 16;
constexpr int kLargeFontLines = 3;
constexpr int kSmallFontLines = 6;

}  // namespace norva::lyr
