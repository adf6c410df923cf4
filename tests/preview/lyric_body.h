#pragma once
// Builds LYR bodies (directory record, index, texts, zero fill) for lyric track tests.
#include <algorithm>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace norva::test {

inline void putBe16(std::vector<uint8_t>& bytes, size_t at, uint16_t value) {
  bytes[at] = static_cast<uint8_t>(value >> 8);
  bytes[at + 1] = static_cast<uint8_t>(value);
}

// `screens` are (time in tenths, GBK text); the body is padded with zeros to `fillTo` bytes.
inline std::vector<uint8_t> lyricBody(const std::vector<std::pair<uint16_t, std::string>>& screens,
                                      uint8_t fontClass = 2, size_t fillTo = 0) {
  const size_t count = screens.size();
  std::vector<uint8_t> body(24 + 4 * count, 0);
  body[16] = fontClass;
  putBe16(body, 22, static_cast<uint16_t>(count));
  for (size_t i = 0; i < count; ++i) {
    putBe16(body, 24 + 4 * i, screens[i].first);
    putBe16(body, 26 + 4 * i, static_cast<uint16_t>(body.size()));
    body.insert(body.end(), screens[i].second.begin(), screens[i].second.end());
    body.push_back(0);
  }
  putBe16(body, 20, static_cast<uint16_t>(body.size()));
  if (body.size() < fillTo) body.resize(fillTo, 0);
  return body;
}

// A LYR file: a zero header block of 512 bytes, then `body`.
inline std::vector<uint8_t> lyrFile(const std::vector<uint8_t>& body) {
  std::vector<uint8_t> file(512 + body.size(), 0);
  std::copy(body.begin(), body.end(), file.begin() + 512);
  return file;
}

}  // namespace norva::test
