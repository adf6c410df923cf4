#include "device/device_records.h"

#include <algorithm>
#include <cstdio>

#include "base/byte_order.h"

namespace norva::device {
namespace {

constexpr size_t kShortNameAt = 0;
constexpr size_t kShortNameLength = 8;
constexpr size_t kExtensionAt = 9;
constexpr size_t kExtensionLength = 3;
constexpr size_t kTimeAt = 16;
constexpr size_t kDateAt = 18;
constexpr size_t kSizeAt = 32;
constexpr size_t kLongNameAt = 36;
constexpr size_t kFontNameField = 264;
constexpr size_t kFontNameKept = 259;
constexpr size_t kFontSizeAt = 264;

// Text of a field up to its first zero byte.
std::string fieldText(std::span<const uint8_t> field) {
  const auto end = std::find(field.begin(), field.end(), uint8_t{0});
  return std::string(field.begin(), end);
}

std::string withoutTrailingBlanks(std::string text) {
  while (!text.empty() && text.back() == ' ') text.pop_back();
  return text;
}

}  // namespace

DirectoryEntry::DirectoryEntry(std::span<const uint8_t, kDirectoryEntrySize> bytes) {
  std::copy(bytes.begin(), bytes.end(), bytes_.begin());
}

void DirectoryEntry::trimShortName() {
  for (auto [at, length] :
       {std::pair{kShortNameAt, kShortNameLength}, std::pair{kExtensionAt, kExtensionLength}}) {
    for (size_t i = at + length; i > at && (bytes_[i - 1] == ' ' || bytes_[i - 1] == 0); --i)
      bytes_[i - 1] = 0;
  }
}

std::string DirectoryEntry::shortName() const {
  return withoutTrailingBlanks(
      fieldText(std::span(bytes_).subspan(kShortNameAt, kShortNameLength)));
}

std::string DirectoryEntry::extension() const {
  return withoutTrailingBlanks(
      fieldText(std::span(bytes_).subspan(kExtensionAt, kExtensionLength)));
}

std::string DirectoryEntry::longName() const {
  return fieldText(std::span(bytes_).subspan(kLongNameAt));
}

uint32_t DirectoryEntry::size() const {
  return readLe32(bytes_, kSizeAt);
}
uint16_t DirectoryEntry::fatTime() const {
  return readLe16(bytes_, kTimeAt);
}
uint16_t DirectoryEntry::fatDate() const {
  return readLe16(bytes_, kDateAt);
}

std::string DirectoryEntry::displayName() const {
  if (bytes_[kLongNameAt] != 0) return longName();
  std::string name = shortName();
  if (const std::string ext = extension(); !ext.empty()) name += "." + ext;
  return name;
}

MediumSummary MediumSummary::fromWords(std::span<const uint32_t, kSummaryWords> words) {
  MediumSummary summary;
  summary.fileCount = words[0];
  summary.totalBlocks = words[1];
  summary.usedBlocks = words[2];
  summary.flags = words[3];
  summary.reserved[0] = words[4];
  summary.reserved[1] = words[5];
  return summary;
}

MediumRecord MediumRecord::parse(std::span<const uint8_t, kMediumRecordSize> bytes) {
  MediumRecord record;
  record.fileCount = readLe16(bytes, 0);
  record.totalBlocks = readLe16(bytes, 2);
  record.usedBlocks = readLe16(bytes, 4);
  record.physicalBlocks = readLe16(bytes, 6);
  record.badBlocks = readLe16(bytes, 8);
  record.deviceStatus = bytes[10];
  record.fatStatus = bytes[11];
  record.mediumType = bytes[12];
  record.fatStartSector = readLe16(bytes, 13);
  record.fatSectorCount = readLe16(bytes, 15);
  record.rootStartSector = readLe16(bytes, 17);
  record.pageSizeCode = bytes[19];
  record.bytesPerSector = readLe16(bytes, 20);
  record.sectorsPerCluster = bytes[22];
  record.clustersPerBlock = bytes[23];
  record.rootEntryCount = readLe16(bytes, 24);
  record.fatType = bytes[26];
  return record;
}

FontRecord FontRecord::parse(std::span<const uint8_t, kFontRecordSize> bytes) {
  FontRecord record;
  record.name = fieldText(bytes.subspan(0, kFontNameField));
  if (record.name.size() > kFontNameKept) record.name.resize(kFontNameKept);
  record.size = readLe32(bytes, kFontSizeAt);
  return record;
}

std::string formatFatTimestamp(uint16_t date, uint16_t time) {
  if (date == 0) return "-";
  char text[32];
  std::snprintf(text, sizeof text, "%04u-%02u-%02u %02u:%02u:%02u", 1980u + (date >> 9),
                (date >> 5) & 0x0Fu, date & 0x1Fu, unsigned{time} >> 11, (time >> 5) & 0x3Fu,
                (time & 0x1Fu) * 2u);
  return text;
}

}  // namespace norva::device
