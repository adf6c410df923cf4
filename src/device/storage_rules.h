#pragma once
// The rules of the storage operations that need no player: where an upload lands and whether
// it is converted, which raw block ranges are valid, how entry indices move while deleting,
// and which swaps an Up or Down makes.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace norva::device {

// Conversion modes of an upload to the PC.
enum class UploadConversion { None = 0, AdpcmToWav = 1, TvfToWav = 2 };
const char* toString(UploadConversion conversion);

// The extension of a name: the text after the last "." that follows the last "\", "/" or
// ":" and is not the first character after it. Empty when there is none.
std::string_view extensionOf(std::string_view name);

struct UploadPlan {
  UploadConversion conversion = UploadConversion::None;
  std::string targetName;  // the name on the PC
};

// "ADPCM"/"Convert" and "TVF"/"Convert" are 0 when the file is converted to WAV.
UploadPlan planUpload(std::string_view playerName, int adpcmConvertSetting, int tvfConvertSetting);

// A player file name that may be joined to a PC folder: not empty and holding no path
// separator ("/", "\"), no ":" and no "..".
bool isSafePlayerName(std::string_view name);

// folder + "/" (unless it already ends in "\" or "/") + name.
std::string joinTarget(std::string_view folder, std::string_view name);

// True when the path's extension (after the last "." following the last "\" or "/") is
// "hex" in any case.
bool hasHexExtension(std::string_view path);

// Path length in characters (UTF-8 code points); longer than kMaxPathCharacters is refused.
inline constexpr size_t kMaxPathCharacters = 260;
size_t pathCharacters(std::string_view utf8Path);

// Raw block range of a drive, checked in 64 bits.
inline constexpr uint64_t kMaxRawBlockCount = 0x40000;  // counts from here on are refused
enum class RawRangeCheck { Valid, EmptyCount, CountTooLarge, BeyondDrive };
const char* toString(RawRangeCheck check);
RawRangeCheck checkRawRange(int64_t firstBlock, int64_t blockCount, uint64_t totalBlocks);

// Deleting several entries: the indices sorted ascending; after each successful delete the
// later indices above the deleted one move up one place.
class DeletionOrder {
 public:
  explicit DeletionOrder(std::vector<int> indices);
  bool done() const { return next_ >= indices_.size(); }
  int current() const { return indices_[next_]; }
  // The current entry was deleted: later indices above it shift down by one.
  void deleted();

 private:
  std::vector<int> indices_;
  size_t next_ = 0;
};

// The swaps of Up (index with index - 1, ascending) and of Down (index with index + 1,
// descending). Empty when any selected index is 0 (Up) or not below fileCount - 1 (Down).
std::vector<std::pair<int, int>> planMoveUp(std::vector<int> indices);
std::vector<std::pair<int, int>> planMoveDown(std::vector<int> indices, int fileCount);

}  // namespace norva::device
