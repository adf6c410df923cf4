#include "device/transfer_list.h"

#include "base/file_names.h"

#include <algorithm>

namespace norva::device {

std::string_view fileNamePart(std::string_view path) {
  const auto slash = path.find_last_of("\\/");
  return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

bool TransferList::ContainsFileName(std::string_view path) const {
  const std::string_view wanted = fileNamePart(path);
  return std::any_of(items_.begin(), items_.end(), [&](const TransferItem& item) {
    return equalsIgnoringCase(fileNamePart(item.text), wanted);
  });
}

}  // namespace norva::device
