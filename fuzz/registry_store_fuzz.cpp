// The registry store's file: parse, and what parses must serialize and parse to the same text.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "base/service/registry_store.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  if (auto root = norva::RegistryStore::parse(text)) {
    const std::string once = norva::RegistryStore::serialize(*root);
    auto again = norva::RegistryStore::parse(once);
    if (!again || norva::RegistryStore::serialize(*again) != once) __builtin_trap();
  }
  return 0;
}
