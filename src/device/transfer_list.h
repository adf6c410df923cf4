#pragma once
// The files moved between the PC and the player in one operation.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace norva::device {

struct TransferItem {
  std::string text;  // a player file name, or a full PC path
  int index = -1;    // entry index on the player, -1 for PC files
  uint32_t size = 0;
  std::string secondName;
};

class TransferList {
 public:
  void add(TransferItem item) { items_.push_back(std::move(item)); }
  const std::vector<TransferItem>& items() const { return items_; }
  bool empty() const { return items_.empty(); }
  size_t size() const { return items_.size(); }

  // True when some item's file name part equals that of `path`, compared without regard to
  // case. The file name part is what follows the last "\" or "/".
  bool ContainsFileName(std::string_view path) const;

 private:
  std::vector<TransferItem> items_;
};

// What follows the last "\" or "/" of a path.
std::string_view fileNamePart(std::string_view path);

}  // namespace norva::device
