#pragma once
// Bounded little-endian access to a metafile's bytes or one record's parameters: reads past
// the end give 0, and callers check counts against size() before walking arrays.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>

#include "logo/lgo_format.h"

namespace norva::logo {

class RecordBytes {
 public:
  explicit RecordBytes(std::span<const uint8_t> bytes) : b_(bytes) {}
  size_t size() const { return b_.size(); }
  uint32_t u8(size_t at) const { return at < b_.size() ? b_[at] : 0u; }
  uint32_t u16(size_t at) const { return u8(at) | (u8(at + 1) << 8); }
  int32_t i16(size_t at) const { return static_cast<int16_t>(u16(at)); }
  uint32_t u32(size_t at) const { return u16(at) | (u16(at + 2) << 16); }
  int32_t i32(size_t at) const { return static_cast<int32_t>(u32(at)); }
  Rgb colour(size_t at) const {
    return Rgb{static_cast<uint8_t>(u8(at)), static_cast<uint8_t>(u8(at + 1)),
               static_cast<uint8_t>(u8(at + 2))};
  }
  // The bytes from `at`, at most `n` of them; empty when `at` is past the end.
  RecordBytes sub(size_t at, size_t n) const {
    if (at >= b_.size()) return RecordBytes({});
    return RecordBytes(b_.subspan(at, std::min(n, b_.size() - at)));
  }

 private:
  std::span<const uint8_t> b_;
};

}  // namespace norva::logo
