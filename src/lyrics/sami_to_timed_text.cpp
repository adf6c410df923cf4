#include "lyrics/sami_to_timed_text.h"

#include <optional>

#include "lyrics/decimal.h"
#include "lyrics/sami_sync_tag.h"

namespace norva::lyr {
namespace {

// The caption without line ends and without tags, except "<br>" in any case, kept as "<br>".
std::string cleanCaption(std::string_view caption) {
  std::string joined;
  for (char c : caption)
    if (c != '\r' && c != '\n') joined.push_back(c);
  return stripSamiTags(joined);
}

}  // namespace

SamiConversion samiToTimedText(std::string_view sami) {
  SamiConversion result;
  const std::string upper = asciiUpperCased(sami);
  const std::optional<SamiBody> body = findSamiBody(upper);
  if (!body) return result;
  const size_t end = body->end;
  result.foundBody = true;

  std::optional<SyncTag> tag = findSyncTag(upper, body->start, end);
  while (tag) {
    const std::string_view value = syncTagValue(sami, *tag);
    if (value.empty() || !isDigit(value.front())) break;
    result.timedText += '<' + std::to_string(leadingDecimal(value)) + '>';

    const size_t captionStart = tag->close + 1;
    const std::optional<SyncTag> next = findSyncTag(upper, captionStart, end);
    const size_t captionEnd = next ? next->close + 1 : end;
    result.timedText += cleanCaption(sami.substr(captionStart, captionEnd - captionStart));
    result.timedText += "\r\n";
    tag = next;
  }
  return result;
}

}  // namespace norva::lyr
