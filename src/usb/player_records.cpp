#include "usb/player_records.h"

#include <algorithm>
#include <cstring>

#include "base/byte_order.h"

namespace norva::usb {
namespace {

constexpr uint8_t kFat12 = 1;
constexpr uint8_t kGood = 1;
constexpr uint8_t kNandPage512 = 0;
constexpr size_t kEntryLongNameCapacity = kDirectoryEntrySize - kEntryLongNameOffset - 1;

uint16_t saturated16(uint64_t value) {
  return static_cast<uint16_t>(std::min<uint64_t>(value, 0xFFFF));
}

uint8_t saturated8(uint64_t value) {
  return static_cast<uint8_t>(std::min<uint64_t>(value, 0xFF));
}

uint64_t totalBlocks(const FatVolume& volume) {
  return uint64_t{volume.layout().clusterCount()} * volume.layout().clusterBytes() / kBlockSize;
}

// Used blocks are the total less the whole free blocks, so that the free space the host works
// out from them is never more than there is.
uint64_t usedBlocks(const FatVolume& volume) {
  return totalBlocks(volume) - std::min(totalBlocks(volume), volume.freeBytes() / kBlockSize);
}

std::string boundedText(std::span<const uint8_t> bytes) {
  const auto end = std::find(bytes.begin(), bytes.end(), uint8_t{0});
  return std::string(bytes.begin(), end);
}

std::string trimmedRight(std::string text) {
  text.erase(text.find_last_not_of(' ') + 1);
  return text;
}

}  // namespace

MediumRecord mediumRecordOf(const FatVolume& volume, MediumType type, uint64_t imageBytes) {
  MediumRecord record{};
  const FatLayout& layout = volume.layout();
  writeLe16(record, 0, saturated16(volume.files().size()));
  writeLe16(record, 2, saturated16(totalBlocks(volume)));
  writeLe16(record, 4, saturated16(usedBlocks(volume)));
  writeLe16(record, 6, saturated16(imageBytes / kBlockSize));
  writeLe16(record, 8,
            saturated16(uint64_t{volume.badClusters()} * layout.clusterBytes() / kBlockSize));
  record[10] = kGood;
  record[11] = kGood;
  record[12] = static_cast<uint8_t>(type);
  writeLe16(record, 13, saturated16(layout.fatStartSector()));
  writeLe16(record, 15, saturated16(layout.sectorsPerFat));
  writeLe16(record, 17, saturated16(layout.rootStartSector()));
  record[19] = kNandPage512;
  writeLe16(record, 20, saturated16(layout.bytesPerSector));
  record[22] = saturated8(layout.sectorsPerCluster);
  record[23] =
      saturated8(layout.clusterBytes() <= kBlockSize ? kBlockSize / layout.clusterBytes() : 0);
  writeLe16(record, 24, saturated16(layout.rootEntryCount));
  record[26] = kFat12;
  return record;
}

MediumRecord unformattedMediumRecord(MediumType type, uint64_t imageBytes) {
  MediumRecord record{};
  writeLe16(record, 6, saturated16(imageBytes / kBlockSize));
  record[10] = kGood;
  record[12] = static_cast<uint8_t>(type);
  return record;
}

DirectoryEntryRecord directoryEntryRecordOf(const FileEntry& entry) {
  DirectoryEntryRecord record{};
  // The short name in the same printable form as its text.
  for (size_t i = 0; i < entry.shortName.size(); ++i) {
    uint8_t c = entry.shortName[i];
    if (c < 0x20 || c >= 0x80) c = '_';
    record[i < 8 ? i : i + 1] = c;
  }
  record[8] = 0;
  record[12] = 0;
  record[13] = entry.attributes;
  writeLe16(record, 16, entry.written.time);
  writeLe16(record, 18, entry.written.date);
  writeLe16(record, 20, entry.firstCluster);
  writeLe32(record, 32, entry.size);
  if (entry.longName.size() <= kEntryLongNameCapacity)
    std::memcpy(record.data() + kEntryLongNameOffset, entry.longName.data(), entry.longName.size());
  return record;
}

std::string recordLongName(std::span<const uint8_t> record) {
  if (record.size() < kDirectoryEntrySize) return {};
  return boundedText(record.subspan(kEntryLongNameOffset, kEntryLongNameCapacity + 1));
}

std::string recordShortName(std::span<const uint8_t> record) {
  if (record.size() < kDirectoryEntrySize) return {};
  const std::string base = trimmedRight(boundedText(record.subspan(0, 8)));
  const std::string extension = trimmedRight(boundedText(record.subspan(9, 3)));
  return extension.empty() ? base : base + "." + extension;
}

Summary summaryOf(const FatVolume& volume, bool writable) {
  return {static_cast<uint32_t>(volume.files().size()),
          static_cast<uint32_t>(totalBlocks(volume)),
          static_cast<uint32_t>(usedBlocks(volume)),
          kMediumPresent | kMediumFormatted | (writable ? kMediumWritable : 0u),
          0,
          0};
}

Summary unformattedSummary(bool writable) {
  return {0, 0, 0, kMediumPresent | (writable ? kMediumWritable : 0u), 0, 0};
}

std::optional<FontRecord> fontRecordOf(std::string_view name, uint32_t size) {
  if (name.size() >= kFontNameCapacity || name.find('\0') != std::string_view::npos)
    return std::nullopt;
  FontRecord record{};
  std::memcpy(record.data(), name.data(), name.size());
  writeLe32(record, kFontNameCapacity, size);
  return record;
}

}  // namespace norva::usb
