#pragma once
// The texts of the Disk Medium Information dialog for one medium record, and the other small
// conversions of the device manager's dialogs: block counts with their size, the numbers typed
// into the raw data range, and the texts of a hyperlink that would not open.
#include <cstdint>
#include <string>
#include <string_view>

#include "device/device_records.h"

namespace norva::device {

struct MediumInformationTexts {
  std::string deviceStatus;
  std::string fatStatus;
  std::string mediumType;
  std::string totalBlocks;
  std::string usedBlocks;
  std::string physicalBlocks;
  std::string badBlocks;
  std::string fatType;
  std::string fatStartSector;
  std::string fatSectorCount;
  std::string rootStartSector;
  std::string rootEntryCount;
  std::string totalFileCount;
  std::string bytesPerSector;
  std::string sectorsPerCluster;
  std::string clustersPerBlock;
};

MediumInformationTexts mediumInformationTexts(const MediumRecord& record);

// "count (size unit)": the blocks' bytes rounded up to whole KB below 1 MB, else to whole MB.
std::string blockCountText(uint32_t count);

// A number typed into a dialog field: blanks and tabs skipped, then hexadecimal after "0x" or
// "0X", decimal otherwise, up to the first character that is not a digit (0 when there is
// none). Values beyond 32 bits stay at 0xFFFFFFFF.
uint32_t parseTypedNumber(std::string_view text);

// The text for a failed shell "open" result of a link; "Unknown Error (n) occurred." for
// results without their own text.
std::string hyperlinkErrorText(int result);

}  // namespace norva::device
