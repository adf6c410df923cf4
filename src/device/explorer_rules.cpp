#include "device/explorer_rules.h"

#include <array>

#include "base/file_names.h"
#include "device/device_messages.h"
#include "device/device_records.h"
#include "device/storage_rules.h"

namespace norva::device {
namespace {

constexpr uint64_t kKilobyte = 1024;
constexpr uint64_t kMegabyte = 1048576;

std::string groupedDigits(uint64_t value) {
  const std::string digits = std::to_string(value);
  std::string grouped;
  grouped.reserve(digits.size() + digits.size() / 3);
  for (size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) grouped.push_back(',');
    grouped.push_back(digits[i]);
  }
  return grouped;
}

bool isAsciiLetter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// Fills the one "%d%s" of a status text with the total in its unit.
std::string withTotal(std::string_view pattern, uint64_t bytes) {
  std::string text(pattern);
  const auto at = text.find("%d%s");
  if (at != std::string::npos) text.replace(at, 4, totalSizeText(bytes));
  return text;
}

constexpr std::array<std::string_view, kFilterItemCount> kFilterPatterns = {"*.mp3", "*.mpr",
                                                                            "*.*"};

}  // namespace

std::string desktopSizeText(uint64_t bytes, std::string_view fileName) {
  const std::string_view extension = extensionOf(fileName);
  if (extension.empty() || !isAsciiLetter(extension.front())) return {};
  return groupedDigits((bytes + kKilobyte - 1) / kKilobyte) + "KB";
}

std::string memorySizeText(uint32_t bytes) {
  return std::to_string((uint64_t{bytes} + kKilobyte - 1) / kKilobyte) + "KB";
}

std::string totalSizeText(uint64_t bytes) {
  if (bytes < kMegabyte) return std::to_string((bytes + kKilobyte - 1) / kKilobyte) + "KB";
  return std::to_string((bytes + kMegabyte - 1) / kMegabyte) + "MB";
}

std::string memoryHeaderText(const MemoryHeaderState& state) {
  if (!state.writable && (state.mediumFlags & kMediumPresent) == 0) return kPlayerConnectedNotice;
  std::string status;
  if ((state.mediumFlags & kMediumFormatted) == 0)
    status = withTotal(kNotFormattedStatus, state.totalBytes);
  else if ((state.mediumFlags & kMediumWritable) == 0)
    status = withTotal(kReadOnlyStatus, state.totalBytes);
  else
    status = withTotal(kTotalStatus, state.totalBytes);
  return " " + state.title + " - " + status;
}

const char* toString(MemoryListMode mode) {
  switch (mode) {
    case MemoryListMode::Hidden:
      return "hidden";
    case MemoryListMode::ReadOnly:
      return "read-only";
    case MemoryListMode::Writable:
      return "writable";
  }
  return "unknown";
}

MemoryListMode memoryListMode(bool listed, uint32_t mediumFlags) {
  if (!listed || (mediumFlags & kMediumPresent) == 0 || (mediumFlags & kMediumFormatted) == 0)
    return MemoryListMode::Hidden;
  return (mediumFlags & kMediumWritable) != 0 ? MemoryListMode::Writable : MemoryListMode::ReadOnly;
}

bool isPlayableAudio(std::string_view name) {
  return endsWithIgnoringCase(name, ".mp3") || endsWithIgnoringCase(name, ".mpr");
}

bool isMp3Name(std::string_view name) {
  return endsWithIgnoringCase(name, ".mp3");
}

std::string_view filterPattern(int item) {
  if (item < 0 || item >= kFilterItemCount) return kFilterPatterns.back();
  return kFilterPatterns[static_cast<size_t>(item)];
}

int filterItemOf(std::string_view storedPattern) {
  for (size_t i = 0; i < kFilterPatterns.size(); ++i)
    if (equalsIgnoringCase(storedPattern, kFilterPatterns[i])) return static_cast<int>(i);
  return kFilterItemCount - 1;
}

void SortState::clicked(int column) {
  if (column == key) {
    ascending = !ascending;
  } else {
    key = column;
    ascending = true;
  }
}

namespace {

template <typename T>
int threeWay(const T& a, const T& b) {
  return a < b ? -1 : (b < a ? 1 : 0);
}

int textColumn(const std::string_view (&a)[4], const std::string_view (&b)[4], int key) {
  const size_t column = key >= 0 && key < 4 ? static_cast<size_t>(key) : 0;
  return threeWay(a[column], b[column]);
}

}  // namespace

int compareDesktopItems(const DesktopSortItem& a, const DesktopSortItem& b, const SortState& sort) {
  int result = 0;
  if (a.folder != b.folder)
    result = a.folder ? -1 : 1;
  else if (sort.key == 1)
    result = threeWay(a.size, b.size);
  else if (sort.key == 3)
    result = threeWay(a.modified, b.modified);
  else
    result = textColumn(a.texts, b.texts, sort.key);
  return sort.ascending ? result : -result;
}

int compareMemoryItems(const MemorySortItem& a, const MemorySortItem& b, const SortState& sort) {
  int result = 0;
  if (sort.key == 1)
    result = threeWay(a.index, b.index);
  else if (sort.key == 2)
    result = threeWay(a.size, b.size);
  else
    result = textColumn(a.texts, b.texts, sort.key);
  return sort.ascending ? result : -result;
}

}  // namespace norva::device
