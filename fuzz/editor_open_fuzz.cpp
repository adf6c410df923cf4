// Arbitrary bytes opened as each of the editor's five document types: encoding detection and
// conversion, line ends, LYR read-back. An opened text must be GBK with CR LF line ends.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "editor/service/document_loader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace norva::editor;
  constexpr size_t kLargestOpened = 32767;
  if (size > kLargestOpened) return 0;
  const std::span<const uint8_t> bytes(data, size);
  for (LyricFileType type : {LyricFileType::Text, LyricFileType::Tly, LyricFileType::Sami,
                             LyricFileType::Lyr, LyricFileType::Lrc}) {
    const LoadedText loaded = loadDocumentText(type, bytes);
    if (loaded.status != LoadedText::Status::Ok) continue;
    // Every LF is preceded by a CR, and no CR stands alone.
    const std::string& text = loaded.text;
    for (size_t i = 0; i < text.size(); ++i) {
      if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) std::abort();
      if (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n')) std::abort();
    }
  }
  return 0;
}
