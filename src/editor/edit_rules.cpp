#include "editor/edit_rules.h"

#include <algorithm>
#include <cstdio>

#include "base/gbk_codec.h"
#include "editor/editor_messages.h"

namespace norva::editor {

size_t textLimit(bool wrapSwitched) {
  return wrapSwitched ? kSwitchedTextLimit : kInitialTextLimit;
}

size_t fittingInsertBytes(size_t currentBytes, size_t replacedBytes, std::string_view inserted,
                          size_t limit) {
  const size_t kept = currentBytes - std::min(replacedBytes, currentBytes);
  const size_t room = limit > kept ? limit - kept : 0;
  if (inserted.size() <= room) return inserted.size();
  size_t fits = 0;
  while (fits < inserted.size()) {
    const size_t width = isGbkLeadByte(static_cast<unsigned char>(inserted[fits])) ? 2 : 1;
    if (fits + width > room) break;
    fits += width;
  }
  return fits;
}

TextReplacement replaceSelection(std::string_view text, size_t selectionStart, size_t selectionEnd,
                                 std::string_view inserted) {
  const size_t from = std::min({selectionStart, selectionEnd, text.size()});
  const size_t to = std::min(std::max(selectionStart, selectionEnd), text.size());
  std::string result;
  result.reserve(text.size() - (to - from) + inserted.size());
  result.append(text.substr(0, from)).append(inserted).append(text.substr(to));
  return {std::move(result), from + inserted.size()};
}

std::string lineColumnPaneText(int line, int column) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, text::kLineColumnFormat.data(), line, column);
  return buffer;
}

}  // namespace norva::editor
