#include "lyrics/sami_to_timed_text.h"

#include <optional>

#include "lyrics/decimal.h"

namespace norva::lyr {
namespace {

constexpr auto npos = std::string_view::npos;

std::string upperCased(std::string_view text) {
  std::string out(text);
  for (char& c : out)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return out;
}

bool isBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

struct SyncTag {
  size_t open;    // the "<" that starts the search
  size_t equals;  // the "=" before the value
  size_t close;   // the ">" after the value
};

// Finds "<", "SYNC", "START", "=", ">" one after the other, all before `end`.
std::optional<SyncTag> findSyncTag(std::string_view upper, size_t from, size_t end) {
  auto next = [&](std::string_view what, size_t at) -> size_t {
    const size_t found = upper.find(what, at);
    return (found == npos || found + what.size() > end) ? npos : found;
  };
  const size_t open = next("<", from);
  if (open == npos) return std::nullopt;
  const size_t sync = next("SYNC", open + 1);
  if (sync == npos) return std::nullopt;
  const size_t start = next("START", sync + 4);
  if (start == npos) return std::nullopt;
  const size_t equals = next("=", start + 5);
  if (equals == npos) return std::nullopt;
  const size_t close = next(">", equals + 1);
  if (close == npos) return std::nullopt;
  return SyncTag{open, equals, close};
}

// The caption without line ends and without tags, except "<br>" in any case, kept as "<br>".
std::string cleanCaption(std::string_view caption) {
  std::string joined;
  for (char c : caption)
    if (c != '\r' && c != '\n') joined.push_back(c);
  std::string out;
  size_t i = 0;
  while (i < joined.size()) {
    if (joined[i] != '<') {
      out.push_back(joined[i++]);
      continue;
    }
    const size_t close = joined.find('>', i + 1);
    if (close == std::string::npos) {  // not a tag: keep the rest as it is
      out.append(joined, i, std::string::npos);
      break;
    }
    const std::string content = upperCased(std::string_view(joined).substr(i + 1, close - i - 1));
    if (content == "BR") out.append("<br>");
    i = close + 1;
  }
  return out;
}

}  // namespace

SamiConversion samiToTimedText(std::string_view sami) {
  SamiConversion result;
  const std::string upper = upperCased(sami);
  const size_t body = upper.find("<BODY>");
  if (body == npos) return result;
  const size_t end = upper.find("</BODY>", body + 6);
  if (end == npos) return result;
  result.foundBody = true;

  std::optional<SyncTag> tag = findSyncTag(upper, body + 6, end);
  while (tag) {
    std::string_view value = sami.substr(tag->equals + 1, tag->close - tag->equals - 1);
    while (!value.empty() && isBlank(value.front())) value.remove_prefix(1);
    while (!value.empty() && isBlank(value.back())) value.remove_suffix(1);
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
