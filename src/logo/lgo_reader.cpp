#include "logo/lgo_reader.h"

#include <algorithm>

#include "base/byte_order.h"

namespace norva::logo {
namespace {

constexpr size_t kShortHeaderBytes = 12;
static_assert(kLargestLgoFile == kShortHeaderBytes + kLogoStoreBytes);

std::optional<LogoBitmap> accept(const LgoHeader& header, std::span<const uint8_t> data) {
  LogoBitmap logo;
  logo.width = header.width;
  logo.height = header.height;
  logo.depth = header.depth;
  logo.layout = header.layout();
  logo.reversedBits = header.reversedBits();
  std::copy(data.begin(), data.end(), logo.store().begin());
  if (logo.reversedBits) {
    std::transform(logo.store().begin(), logo.store().begin() + static_cast<ptrdiff_t>(data.size()),
                   logo.store().begin(), reverseBitOrder);
  }
  return logo;
}

std::optional<LogoBitmap> tryShortHeader(std::span<const uint8_t> file) {
  if (file.size() < kShortHeaderBytes) return std::nullopt;
  const auto width = static_cast<int16_t>(readLe16(file, 0));
  const auto height = static_cast<int16_t>(readLe16(file, 2));
  const uint16_t bytesPerRow = readLe16(file, 6);
  const uint16_t depth = readLe16(file, 8);
  const uint16_t planes = readLe16(file, 10);
  // The depth is checked before it divides anything; a picture without pixels is refused.
  if (width <= 0 || width > kMaxLgoSide || height <= 0 || height > kMaxLgoSide) return std::nullopt;
  if (file[4] != 0 || file[5] != 0 || planes != 1 || !isSupportedDepth(depth)) return std::nullopt;
  const unsigned ppb = 8u / depth;
  const unsigned rowBytes = (static_cast<unsigned>(width) + ppb - 1) / ppb;
  if (bytesPerRow != rowBytes) return std::nullopt;
  if (file.size() != kShortHeaderBytes + size_t{rowBytes} * static_cast<unsigned>(height))
    return std::nullopt;
  LgoHeader header;
  header.layoutByte = LAYOUT_ROWS;
  header.depth = static_cast<uint8_t>(depth);
  header.width = static_cast<uint16_t>(width);
  header.height = static_cast<uint16_t>(height);
  return accept(header, file.subspan(kShortHeaderBytes));
}

}  // namespace

std::optional<LogoBitmap> decodeLgo(std::span<const uint8_t> file,
                                    std::optional<std::span<const uint8_t>> descriptionHead) {
  if (file.size() <= kLgoHeaderBytes) return std::nullopt;
  const LgoHeader inFile = LgoHeader::parse(file.first<kLgoHeaderBytes>());
  if (inFile.valid()) {
    if (kLgoHeaderBytes + inFile.dataSize() == file.size())
      return accept(inFile, file.subspan(kLgoHeaderBytes));
  } else if (descriptionHead && descriptionHead->size() >= kLgoHeaderBytes) {
    const LgoHeader described = LgoHeader::parse(descriptionHead->first<kLgoHeaderBytes>());
    if (described.valid() && described.width > 0 && described.height > 0 &&
        described.dataSize() == file.size())
      return accept(described, file);
  }
  return tryShortHeader(file);
}

bool hasLgoExtension(std::string_view name) {
  if (name.size() < 4) return false;
  std::string_view tail = name.substr(name.size() - 4);
  static constexpr std::string_view kExt = ".lgo";
  for (size_t i = 0; i < 4; ++i) {
    char c = tail[i];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (c != kExt[i]) return false;
  }
  return true;
}

}  // namespace norva::logo
