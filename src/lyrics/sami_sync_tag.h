#pragma once
// The SYNC tags of a SAMI body as the editor's readers find them: "<", "SYNC", "START", "="
// and ">" searched one after the other in an upper-cased copy of the text.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace norva::lyr {

// `text` with a-z made A-Z; other bytes (GBK included) unchanged.
std::string asciiUpperCased(std::string_view text);

// Blanks, TAB, CR, LF, VT and FF.
bool isSamiBlank(char c);

// Where the captions lie: from just after "<BODY>" to the "</BODY>" after it, found in the
// upper-cased text. Nothing without both.
struct SamiBody {
  size_t start;
  size_t end;
};
std::optional<SamiBody> findSamiBody(std::string_view upper);

struct SyncTag {
  size_t open;    // the "<" that starts the search
  size_t equals;  // the "=" before the value
  size_t close;   // the ">" after the value
};

// The next SYNC tag from `from` whose every part ends at or before `end`.
std::optional<SyncTag> findSyncTag(std::string_view upper, size_t from, size_t end);

// The value between "=" and ">" with blanks trimmed on both sides.
std::string_view syncTagValue(std::string_view text, const SyncTag& tag);

// `text` without its tags ("<" to the next ">"); a tag whose inside is "br" in any case
// becomes "<br>". A "<" without a ">" after it is kept with the rest of the text.
std::string stripSamiTags(std::string_view text);

}  // namespace norva::lyr
