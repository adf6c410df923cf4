#include "device/storage_rules.h"

#include "base/file_names.h"

#include <algorithm>

#include "device/transfer_list.h"

namespace norva::device {

const char* toString(UploadConversion conversion) {
  switch (conversion) {
    case UploadConversion::None:
      return "none";
    case UploadConversion::AdpcmToWav:
      return "ADPCM to WAV";
    case UploadConversion::TvfToWav:
      return "TVF to WAV";
  }
  return "unknown";
}

std::string_view extensionOf(std::string_view name) {
  const auto separator = name.find_last_of("\\/:");
  const size_t start = separator == std::string_view::npos ? 0 : separator + 1;
  const auto dot = name.rfind('.');
  if (dot == std::string_view::npos || dot <= start) return {};
  return name.substr(dot + 1);
}

UploadPlan planUpload(std::string_view playerName, int adpcmConvertSetting, int tvfConvertSetting) {
  UploadPlan plan;
  plan.targetName = std::string(playerName);
  const std::string_view ext = extensionOf(playerName);
  if (adpcmConvertSetting == 0 && equalsIgnoringCase(ext, "TCW"))
    plan.conversion = UploadConversion::AdpcmToWav;
  else if (tvfConvertSetting == 0 && equalsIgnoringCase(ext, "TVF"))
    plan.conversion = UploadConversion::TvfToWav;
  if (plan.conversion != UploadConversion::None)
    plan.targetName = std::string(playerName.substr(0, playerName.size() - ext.size())) + "WAV";
  return plan;
}

bool isSafePlayerName(std::string_view name) {
  return !name.empty() && name.find_first_of("/\\:") == std::string_view::npos &&
         name.find("..") == std::string_view::npos && name.find('\0') == std::string_view::npos;
}

std::string joinTarget(std::string_view folder, std::string_view name) {
  std::string target(folder);
  if (target.empty() || (target.back() != '/' && target.back() != '\\')) target += '/';
  target += name;
  return target;
}

bool hasHexExtension(std::string_view path) {
  const std::string_view name = fileNamePart(path);
  const auto dot = name.rfind('.');
  return dot != std::string_view::npos && equalsIgnoringCase(name.substr(dot + 1), "hex");
}

size_t pathCharacters(std::string_view utf8Path) {
  return static_cast<size_t>(std::count_if(utf8Path.begin(), utf8Path.end(), [](char c) {
    return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  }));
}

const char* toString(RawRangeCheck check) {
  switch (check) {
    case RawRangeCheck::Valid:
      return "valid";
    case RawRangeCheck::EmptyCount:
      return "block count below 1";
    case RawRangeCheck::CountTooLarge:
      return "block count of 0x40000 or more";
    case RawRangeCheck::BeyondDrive:
      return "range beyond the drive";
  }
  return "unknown";
}

RawRangeCheck checkRawRange(int64_t firstBlock, int64_t blockCount, uint64_t totalBlocks) {
  if (blockCount < 1) return RawRangeCheck::EmptyCount;
  const auto count = static_cast<uint64_t>(blockCount);
  if (count >= kMaxRawBlockCount) return RawRangeCheck::CountTooLarge;
  if (firstBlock < 0) return RawRangeCheck::BeyondDrive;
  const auto first = static_cast<uint64_t>(firstBlock);
  if (first >= totalBlocks || count > totalBlocks - first) return RawRangeCheck::BeyondDrive;
  return RawRangeCheck::Valid;
}

DeletionOrder::DeletionOrder(std::vector<int> indices) : indices_(std::move(indices)) {
  std::sort(indices_.begin(), indices_.end());
}

void DeletionOrder::deleted() {
  const int gone = indices_[next_];
  ++next_;
  for (size_t i = next_; i < indices_.size(); ++i)
    if (indices_[i] > gone) --indices_[i];
}

std::vector<std::pair<int, int>> planMoveUp(std::vector<int> indices) {
  std::sort(indices.begin(), indices.end());
  std::vector<std::pair<int, int>> swaps;
  if (indices.empty() || indices.front() <= 0) return swaps;
  for (int index : indices) swaps.emplace_back(index, index - 1);
  return swaps;
}

std::vector<std::pair<int, int>> planMoveDown(std::vector<int> indices, int fileCount) {
  std::sort(indices.begin(), indices.end(), std::greater<>());
  std::vector<std::pair<int, int>> swaps;
  if (indices.empty() || indices.front() >= fileCount - 1 || indices.back() < 0) return swaps;
  for (int index : indices) swaps.emplace_back(index, index + 1);
  return swaps;
}

}  // namespace norva::device
