// The device manager's drag data of player entries: any bytes offered in that format by
// another program must be refused or read without harm.
#include <QMimeData>
#include <cstddef>
#include <cstdint>

#include "device/app/transfer_mime.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  QMimeData mime;
  mime.setData(QString::fromLatin1(norva::device::kPlayerEntriesMimeType),
               QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
  const auto entries = norva::device::playerEntriesOf(mime);
  if (entries) {
    for (const auto& item : entries->entries.items()) (void)item.text.size();
  }
  return 0;
}
