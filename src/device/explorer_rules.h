#pragma once
// The rules of the explorer window that need no window: the texts of the desktop list's size
// column and of a memory view's size column and header, which files the audio play command
// takes, the filter box's items, and how both lists sort.
#include <cstdint>
#include <string>
#include <string_view>

namespace norva::device {

// Desktop list size column: the kilobytes rounded up with "," between groups of three digits
// and "KB" after them; empty unless the name's extension begins with a letter.
std::string desktopSizeText(uint64_t bytes, std::string_view fileName);

// Memory view size column: "%uKB" with the kilobytes rounded up.
std::string memorySizeText(uint32_t bytes);

// A total in the larger unit: (bytes + 1023) / 1024 "KB" below 1048576 bytes, else
// (bytes + 1048575) / 1048576 "MB", as "<number><unit>".
std::string totalSizeText(uint64_t bytes);

// What a memory view's header shows.
struct MemoryHeaderState {
  bool writable = false;     // the list is shown for editing
  uint32_t mediumFlags = 0;  // kMediumPresent, kMediumFormatted, kMediumWritable
  std::string title;         // "存储空间" or "扩展存储空间"
  uint64_t totalBytes = 0;
};
std::string memoryHeaderText(const MemoryHeaderState& state);

// How a memory view shows its drive after a reload.
enum class MemoryListMode { Hidden, ReadOnly, Writable };
const char* toString(MemoryListMode mode);
MemoryListMode memoryListMode(bool listed, uint32_t mediumFlags);

// The audio play command takes a name ending in ".MP3" or ".MPR" in any letter case.
bool isPlayableAudio(std::string_view name);
bool isMp3Name(std::string_view name);  // ".MP3": the preview plays it without an MPR head

// The filter box: its patterns in item order, and the item that shows a stored pattern
// (compared without regard to case; anything else shows the last item, all files).
inline constexpr int kFilterItemCount = 3;
std::string_view filterPattern(int item);
int filterItemOf(std::string_view storedPattern);

// The sort state of a list: key column and direction. A click on the current column reverses
// the direction; a click on another column sorts by it ascending.
struct SortState {
  int key = 0;
  bool ascending = true;
  void clicked(int column);
};

// A desktop list item as the sort compares it.
struct DesktopSortItem {
  bool folder = false;
  uint64_t size = 0;
  int64_t modified = 0;       // seconds since the epoch
  std::string_view texts[4];  // name, size, type, modification time as shown
};
// < 0, 0, > 0: a folder before a file, then size (column 1), modification time (column 3) or
// the column's text compared byte by byte; descending negates the result.
int compareDesktopItems(const DesktopSortItem& a, const DesktopSortItem& b, const SortState& sort);

// A memory view item as the sort compares it.
struct MemorySortItem {
  int index = 0;
  uint32_t size = 0;
  std::string_view texts[4];  // name, index, size, type as shown
};
// Column 1 by entry index, column 2 by size, else the column's text; descending negates.
int compareMemoryItems(const MemorySortItem& a, const MemorySortItem& b, const SortState& sort);

}  // namespace norva::device
