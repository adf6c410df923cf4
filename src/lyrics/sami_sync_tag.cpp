#include "lyrics/sami_sync_tag.h"

namespace norva::lyr {
namespace {
constexpr auto npos = std::string_view::npos;
}  // namespace

std::string asciiUpperCased(std::string_view text) {
  std::string out(text);
  for (char& c : out)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return out;
}

bool isSamiBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

std::optional<SamiBody> findSamiBody(std::string_view upper) {
  constexpr std::string_view kOpen = "<BODY>";
  const size_t open = upper.find(kOpen);
  if (open == npos) return std::nullopt;
  const size_t end = upper.find("</BODY>", open + kOpen.size());
  if (end == npos) return std::nullopt;
  return SamiBody{open + kOpen.size(), end};
}

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

std::string_view syncTagValue(std::string_view text, const SyncTag& tag) {
  std::string_view value = text.substr(tag.equals + 1, tag.close - tag.equals - 1);
  while (!value.empty() && isSamiBlank(value.front())) value.remove_prefix(1);
  while (!value.empty() && isSamiBlank(value.back())) value.remove_suffix(1);
  return value;
}

std::string stripSamiTags(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  size_t i = 0;
  while (i < text.size()) {
    if (text[i] != '<') {
      out.push_back(text[i++]);
      continue;
    }
    const size_t close = text.find('>', i + 1);
    if (close == npos) {
      out.append(text.substr(i));
      break;
    }
    if (asciiUpperCased(text.substr(i + 1, close - i - 1)) == "BR") out.append("<br>");
    i = close + 1;
  }
  return out;
}

}  // namespace norva::lyr
