#pragma once
// Writes small placeable WMF and EMF files record by record for the tests.
#include <cstdint>
#include <initializer_list>
#include <vector>

namespace norva::logo::testing {

class Bytes {
 public:
  Bytes& u16(uint32_t v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
    return *this;
  }
  Bytes& u32(uint32_t v) { return u16(v & 0xFFFF).u16(v >> 16); }
  std::vector<uint8_t> out;
};

// A placeable WMF whose bounding box is (0, 0)-(w, h) at `inch` units per inch.
class WmfBuilder {
 public:
  WmfBuilder(int w, int h, int inch) {
    b_.u32(0x9AC6CDD7)
        .u16(0)
        .u16(0)
        .u16(0)
        .u16(static_cast<uint32_t>(w))
        .u16(static_cast<uint32_t>(h));
    b_.u16(static_cast<uint32_t>(inch)).u32(0).u16(0);
    b_.u16(1).u16(9).u16(0x300).u32(0).u16(4).u32(0).u16(0);
  }
  WmfBuilder& record(uint16_t function, std::initializer_list<int> params) {
    b_.u32(static_cast<uint32_t>(3 + params.size())).u16(function);
    for (int p : params) b_.u16(static_cast<uint32_t>(p));
    return *this;
  }
  std::vector<uint8_t> finish() {
    record(0, {});
    return b_.out;
  }

 private:
  Bytes b_;
};

// An EMF whose frame is (0, 0)-(w, h) in 0.01 mm on a 1000 x 1000 pixel, 100 x 100 mm device:
// ten device pixels a millimetre.
class EmfBuilder {
 public:
  EmfBuilder(int w, int h) {
    Bytes header;
    header.u32(1).u32(88).u32(0).u32(0).u32(0).u32(0);
    header.u32(0).u32(0).u32(static_cast<uint32_t>(w)).u32(static_cast<uint32_t>(h));
    header.u32(0x464D4520).u32(0x10000).u32(0).u32(0).u16(0).u16(0).u32(0).u32(0).u32(0);
    header.u32(1000).u32(1000).u32(100).u32(100);
    b_ = header;
  }
  EmfBuilder& record(uint32_t type, std::initializer_list<uint32_t> params) {
    return record(type, std::vector<uint32_t>(params));
  }
  EmfBuilder& record(uint32_t type, const std::vector<uint32_t>& params) {
    b_.u32(type).u32(static_cast<uint32_t>(8 + 4 * params.size()));
    for (uint32_t p : params) b_.u32(p);
    return *this;
  }
  std::vector<uint8_t> finish() {
    record(14, {0, 16, 20});
    return b_.out;
  }

 private:
  Bytes b_;
};

}  // namespace norva::logo::testing
