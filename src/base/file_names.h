#pragma once
// File-name tests and edits the tools make on the characters of a name (a path's native
// string), as the player's programs always have: ASCII letters compared without regard to
// case, extensions changed by replacing the last characters.
#include <cstddef>
#include <string>
#include <string_view>

namespace norva {

// True when `a` and `b` are the same name, ASCII letters compared without regard to case and
// every other byte as it is.
bool equalsIgnoringCase(std::string_view a, std::string_view b);

// True when `name` ends in `suffix`, ASCII letters compared without regard to case.
bool endsWithIgnoringCase(std::string_view name, std::string_view suffix);

// `name` with its last `count` characters (bytes) replaced by `replacement`; a name shorter
// than `count` is replaced whole.
std::string replaceLastCharacters(std::string_view name, size_t count,
                                  std::string_view replacement);

}  // namespace norva
