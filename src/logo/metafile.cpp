#include "logo/metafile.h"

#include "logo/emf_records.h"
#include "logo/metafile_bytes.h"
#include "logo/wmf_records.h"

namespace norva::logo {

bool looksLikeMetafile(std::span<const uint8_t> bytes) {
  const RecordBytes b(bytes);
  return (b.size() >= 4 && b.u32(0) == kPlaceableKey) ||
         (b.size() >= 44 && b.u32(0) == 1 && b.u32(40) == kEmfSignature);
}

std::optional<Metafile> parseMetafile(std::span<const uint8_t> bytes) {
  const RecordBytes b(bytes);
  if (b.size() >= 4 && b.u32(0) == kPlaceableKey) return parseWmf(b);
  return parseEmf(b);
}

int himetricToPixels(int32_t himetric, int dpi) {
  return static_cast<int>((int64_t{dpi} * himetric + 1270) / 2540);
}

}  // namespace norva::logo
