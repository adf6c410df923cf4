#pragma once
// Decimal numbers as the lyric formats write them, read the way the player's tools always
// have: leading digits only, saturating instead of overflowing.
#include <cstdint>
#include <string_view>

namespace norva::lyr {

constexpr int64_t kLongMax = 2147483647;  // the tools' numbers are 32-bit

inline bool isDigit(char c) {
  return c >= '0' && c <= '9';
}

// Value of the digits at the start of `text` (0 when there are none), at most kLongMax.
inline int64_t leadingDecimal(std::string_view text) {
  int64_t value = 0;
  for (char c : text) {
    if (!isDigit(c)) break;
    value = value * 10 + (c - '0');
    if (value > kLongMax) value = kLongMax;
  }
  return value;
}

// Like C's strtol on base 10: leading blanks, an optional sign, then digits.
inline int64_t signedDecimal(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t' || text[i] == '\n' ||
                             text[i] == '\r' || text[i] == '\v' || text[i] == '\f'))
    ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  const int64_t magnitude = leadingDecimal(text.substr(i));
  return negative ? -magnitude : magnitude;
}

}  // namespace norva::lyr
