#pragma once
// The fixed-layout records our player library hands to the device manager (all little-endian,
// packed):
//
// MediumRecord, 28 bytes: 0 file count u16, 2 total blocks u16, 4 used blocks u16, 6 physical
// blocks u16, 8 bad blocks u16, 10 device I/O status u8 (1 good), 11 FAT status u8 (1 good,
// 0 when the image holds no readable FAT12 volume), 12 medium type u8 (1 NAND, 2 MMC/SD),
// 13 FAT start sector u16, 15 sectors per FAT u16, 17 root start sector u16, 19 NAND page size
// code u8 (0: 512 bytes), 20 bytes per sector u16, 22 sectors per cluster u8, 23 clusters per
// block u8, 24 root entry count u16, 26 FAT type u8 (1: FAT12), 27 zero. A figure too large for
// its field is stored as the field's largest value.
//
// DirectoryEntry, 300 bytes: 0 short name base, 8 characters blank padded, 8 zero; 9 extension,
// 3 characters blank padded, 12 zero; 13 attribute byte; 16 time last written u16 and 18 date
// last written u16, both in the directory's packed form (local time); 20 first cluster u16;
// 32 size in bytes u32; 36 long name in UTF-8, zero-terminated, at most 263 bytes (a longer
// one is left empty so that the short name is shown). Short-name bytes outside printable ASCII
// are given as "_". Other bytes are zero.
//
// Summary, six u32 words: file count, total blocks, used blocks, medium flags (2 present,
// 4 formatted, 8 writable), 0, 0. A block is 16384 bytes.
//
// FontRecord, 268 bytes: font file name in UTF-8, zero-terminated, within 264 bytes; its size
// u32 at 264.
#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "usb/fat_volume.h"

namespace norva::usb {

inline constexpr size_t kMediumRecordSize = 28;
inline constexpr size_t kDirectoryEntrySize = 300;
inline constexpr size_t kFontRecordSize = 268;
inline constexpr size_t kSummaryWords = 6;
inline constexpr uint32_t kBlockSize = 16384;
inline constexpr size_t kEntryLongNameOffset = 36;
inline constexpr size_t kFontNameCapacity = 264;  // terminator included

enum class MediumType : uint8_t { Nand = 1, MmcSd = 2 };

enum MediumFlag : uint32_t { kMediumPresent = 2, kMediumFormatted = 4, kMediumWritable = 8 };

using MediumRecord = std::array<uint8_t, kMediumRecordSize>;
using DirectoryEntryRecord = std::array<uint8_t, kDirectoryEntrySize>;
using FontRecord = std::array<uint8_t, kFontRecordSize>;
using Summary = std::array<uint32_t, kSummaryWords>;

// Record of a readable volume on an image of `imageBytes` bytes.
MediumRecord mediumRecordOf(const FatVolume& volume, MediumType type, uint64_t imageBytes);
// Record of an image that holds no readable volume: medium present, FAT status bad.
MediumRecord unformattedMediumRecord(MediumType type, uint64_t imageBytes);

DirectoryEntryRecord directoryEntryRecordOf(const FileEntry& entry);
// The names a record carries, read within its bounds: the long name (may be empty) and the
// short name as NAME.EXT.
std::string recordLongName(std::span<const uint8_t> record);
std::string recordShortName(std::span<const uint8_t> record);

Summary summaryOf(const FatVolume& volume, bool writable);
Summary unformattedSummary(bool writable);

// Nothing when the name does not fit.
std::optional<FontRecord> fontRecordOf(std::string_view name, uint32_t size);

}  // namespace norva::usb
