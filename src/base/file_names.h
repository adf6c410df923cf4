#pragma once
// File-name tests and edits the tools make on the characters of a name, as the player's
// programs always have: ASCII letters compared without regard to case, extensions changed by
// replacing the last characters.
#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

namespace norva {

// True when `name` ends in `suffix`, ASCII letters compared without regard to case.
bool endsWithIgnoringCase(std::string_view name, std::string_view suffix);
inline bool endsWithIgnoringCase(const std::filesystem::path& name, std::string_view suffix) {
  return endsWithIgnoringCase(std::string_view(name.native()), suffix);
}

// `name` with its last `count` characters (bytes) replaced by `replacement`; a name shorter
// than `count` is replaced whole.
std::string replaceLastCharacters(std::string_view name, size_t count,
                                  std::string_view replacement);
inline std::filesystem::path replaceLastCharacters(const std::filesystem::path& name, size_t count,
                                                   std::string_view replacement) {
  return replaceLastCharacters(std::string_view(name.native()), count, replacement);
}

}  // namespace norva
