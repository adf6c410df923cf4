#include "editor/service/document_loader.h"

#include "editor/service/lyrics_adapter.h"

namespace norva::editor {

const char* toString(LoadedText::Status status) {
  switch (status) {
    case LoadedText::Status::Ok:
      return "Ok";
    case LoadedText::Status::NotLyr:
      return "NotLyr";
    case LoadedText::Status::Unencodable:
      return "Unencodable";
  }
  return "?";
}

LoadedText loadDocumentText(LyricFileType type, std::span<const uint8_t> bytes) {
  LoadedText loaded;
  if (type == LyricFileType::Lyr) {
    std::optional<LyrReadBack> lyr = readLyrAsTimedText(bytes);
    if (!lyr) {
      loaded.status = LoadedText::Status::NotLyr;
      return loaded;
    }
    loaded.text = std::move(lyr->timedText);
    loaded.lyrFont = lyr->font;
    return loaded;
  }
  DecodedFile decoded = decodeLyricFile(bytes);
  loaded.encoding = decoded.encoding;
  if (decoded.conversion.status != GbkConversion::Status::Ok) {
    loaded.status = LoadedText::Status::Unencodable;
    loaded.unencodable = decoded.conversion.unencodable;
    return loaded;
  }
  const std::string& gbk = decoded.conversion.gbk;
  loaded.text = editorTextFromBytes(
      std::span<const uint8_t>(reinterpret_cast<const uint8_t*>(gbk.data()), gbk.size()));
  return loaded;
}

}  // namespace norva::editor
