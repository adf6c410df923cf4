#pragma once
// A file's bytes turned into the editor text of a document of a given type: LYR files read
// back into timed text, every other type decoded to GBK and given CR LF line ends.
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "editor/lyr_font_choice.h"
#include "editor/lyric_file_type.h"
#include "editor/service/text_encoding.h"

namespace norva::editor {

struct LoadedText {
  enum class Status { Ok, NotLyr, Unencodable };
  Status status = Status::Ok;
  std::string text;  // GBK, CR LF, when Ok
  SourceEncoding encoding = SourceEncoding::Gbk;
  std::optional<LyrFontChoice> lyrFont;  // Lyr documents: the header's font
  char32_t unencodable = 0;              // when Unencodable
};

const char* toString(LoadedText::Status status);

LoadedText loadDocumentText(LyricFileType type, std::span<const uint8_t> bytes);

}  // namespace norva::editor
