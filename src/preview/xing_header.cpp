#include "preview/xing_header.h"

#include <algorithm>
#include <cmath>

#include "base/byte_order.h"

namespace norva::preview {

size_t xingOffset(const MpegHeader& header) {
  const bool mono = header.mode == ChannelMode::Mono;
  if (header.version == MpegVersion::Mpeg1) return mono ? 21 : 36;
  return mono ? 13 : 21;
}

std::optional<XingHeader> parseXingHeader(std::span<const uint8_t> frame,
                                          const MpegHeader& header) {
  size_t pos = xingOffset(header);
  if (pos + 8 > frame.size()) return std::nullopt;
  XingHeader xing;
  const auto tag = frame.subspan(pos, 4);
  if (std::equal(tag.begin(), tag.end(), "Xing")) {
    xing.info = false;
  } else if (std::equal(tag.begin(), tag.end(), "Info")) {
    xing.info = true;
  } else {
    return std::nullopt;
  }
  xing.flags = readBe32(frame, pos + 4);
  pos += 8;
  auto take32 = [&](std::optional<uint32_t>& field) {
    if (pos + 4 > frame.size()) return false;
    field = readBe32(frame, pos);
    pos += 4;
    return true;
  };
  if ((xing.flags & XingHeader::kFramesFlag) && !take32(xing.frames)) return std::nullopt;
  if ((xing.flags & XingHeader::kBytesFlag) && !take32(xing.bytes)) return std::nullopt;
  if (xing.flags & XingHeader::kTocFlag) {
    if (pos + 100 > frame.size()) return std::nullopt;
    std::array<uint8_t, 100> toc{};
    std::copy_n(frame.begin() + static_cast<std::ptrdiff_t>(pos), 100, toc.begin());
    xing.toc = toc;
    pos += 100;
  }
  if ((xing.flags & XingHeader::kScaleFlag) && !take32(xing.scale)) return std::nullopt;
  return xing;
}

double xingSeekFraction(const std::array<uint8_t, 100>& toc, double percent) {
  if (!(percent >= 0.0)) percent = 0.0;  // also catches NaN
  if (percent > 100.0) percent = 100.0;
  const int a = std::min(static_cast<int>(percent), 99);
  const double fa = toc[a];
  const double fb = a < 99 ? toc[a + 1] : 256.0;
  const double fx = fa + (fb - fa) * (percent - a);
  return fx / 256.0;
}

}  // namespace norva::preview
