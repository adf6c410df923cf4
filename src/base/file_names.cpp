#include "base/file_names.h"

#include <algorithm>

namespace norva {
namespace {

char asciiLower(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return asciiLower(x) == asciiLower(y);
         });
}

bool endsWithIgnoringCase(std::string_view name, std::string_view suffix) {
  if (name.size() < suffix.size()) return false;
  const std::string_view tail = name.substr(name.size() - suffix.size());
  return std::equal(tail.begin(), tail.end(), suffix.begin(),
                    [](char a, char b) { return asciiLower(a) == asciiLower(b); });
}

std::string replaceLastCharacters(std::string_view name, size_t count,
                                  std::string_view replacement) {
  std::string out(name.substr(0, name.size() - std::min(count, name.size())));
  out.append(replacement);
  return out;
}

}  // namespace norva
