#include "device/medium_information.h"

#include <cstdio>

#include "device/device_messages.h"

namespace norva::device {
namespace {

constexpr uint64_t kOneMegabyte = 1048576;

std::string printed(const char* format, unsigned value) {
  char text[32];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

std::string mediumTypeText(const MediumRecord& record) {
  switch (record.mediumType) {
    case 1: {
      const char* page = record.pageSizeCode == 0   ? kPage512
                         : record.pageSizeCode == 1 ? kPage1024
                                                    : kPageUnknown;
      return std::string(kNandMedium) + page;
    }
    case 2:
      return kMmcMedium;
    default:
      return kUnknownMedium;
  }
}

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

std::string blockCountText(uint32_t count) {
  const uint64_t bytes = uint64_t{count} * kBlockSize;
  const bool small = bytes < kOneMegabyte;
  const uint64_t size = small ? (bytes + 1023) / 1024 : (bytes + kOneMegabyte - 1) / kOneMegabyte;
  char text[64];
  std::snprintf(text, sizeof text, "%u (%llu %s)", count, static_cast<unsigned long long>(size),
                small ? "KB" : "MB");
  return text;
}

MediumInformationTexts mediumInformationTexts(const MediumRecord& record) {
  MediumInformationTexts texts;
  texts.deviceStatus = record.deviceStatus != 0 ? kGood : kInvalid;
  texts.fatStatus = record.fatStatus != 0 ? kGood : kInvalid;
  texts.mediumType = mediumTypeText(record);
  texts.totalBlocks = blockCountText(record.totalBlocks);
  texts.usedBlocks = blockCountText(record.usedBlocks);
  texts.physicalBlocks = blockCountText(record.physicalBlocks);
  texts.badBlocks = blockCountText(record.badBlocks);
  texts.fatType = record.fatType == 1 || record.fatType == 2 ? kFat12 : kUnknownFat;
  texts.fatStartSector = printed("0x%04X", record.fatStartSector);
  texts.rootStartSector = printed("0x%04X", record.rootStartSector);
  texts.fatSectorCount = printed("%u", record.fatSectorCount);
  texts.rootEntryCount = printed("%u", record.rootEntryCount);
  texts.totalFileCount = printed("%u", record.fileCount);
  texts.bytesPerSector = printed("%u (bytes/sector)", record.bytesPerSector);
  texts.sectorsPerCluster = printed("%u (sectors/cluster)", record.sectorsPerCluster);
  texts.clustersPerBlock = printed("%u (clusters/block)", record.clustersPerBlock);
  return texts;
}

uint32_t parseTypedNumber(std::string_view text) {
  size_t at = 0;
  while (at < text.size() && (text[at] == ' ' || text[at] == '\t')) ++at;
  unsigned base = 10;
  if (text.size() - at >= 2 && text[at] == '0' && (text[at + 1] == 'x' || text[at + 1] == 'X')) {
    base = 16;
    at += 2;
  }
  uint64_t value = 0;
  for (; at < text.size(); ++at) {
    const int digit = hexDigit(text[at]);
    if (digit < 0 || static_cast<unsigned>(digit) >= base) break;
    value = value * base + static_cast<unsigned>(digit);
    if (value > UINT32_MAX) return UINT32_MAX;
  }
  return static_cast<uint32_t>(value);
}

std::string hyperlinkErrorText(int result) {
  switch (result) {
    case 0:
      return "The operating system is out\nof memory or resources.";
    case 2:
      return "The specified file was not found.";
    case 3:
      return "The specified path was not found.";
    case 5:
      return "The operating system denied\naccess to the specified file.";
    case 8:
      return "There was not enough memory to complete the operation.";
    case 11:
      return "The .EXE file is invalid\n(non-Win32 .EXE or error in .EXE image).";
    case 26:
      return "A sharing violation occurred. ";
    case 27:
      return "The filename association is\nincomplete or invalid.";
    case 28:
      return "The DDE transaction could not\nbe completed because the request timed out.";
    case 29:
      return "The DDE transaction failed.";
    case 30:
      return "The DDE transaction could not\nbe completed because other DDE transactions\nwere "
             "being processed.";
    case 31:
      return "There is no application associated\nwith the given filename extension.";
    case 32:
      return "The specified dynamic-link library was not found.";
    default: {
      char text[64];
      std::snprintf(text, sizeof text, "Unknown Error (%d) occurred.", result);
      return text;
    }
  }
}

}  // namespace norva::device
