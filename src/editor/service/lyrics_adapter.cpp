#include "editor/service/lyrics_adapter.h"

#include "lyrics/editor_text.h"
#include "lyrics/lyr_format.h"
#include "lyrics/lyr_layout.h"
#include "lyrics/lyr_reader.h"
#include "lyrics/lyrics_messages.h"
#include "lyrics/sami_export.h"
#include "lyrics/sami_to_timed_text.h"
#include "lyrics/service/layout_warning.h"
#include "lyrics/service/lyr_compiler.h"
#include "lyrics/service/lyr_writer.h"
#include "lyrics/timed_text_reader.h"

namespace norva::editor {
namespace {

lyr::FontMode fontMode(LyrFontChoice font) {
  return font == LyrFontChoice::Large ? lyr::FontMode::Large : lyr::FontMode::Small;
}

}  // namespace

const char* toString(CompileOutcome outcome) {
  switch (outcome) {
    case CompileOutcome::Written:
      return "Written";
    case CompileOutcome::Refused:
      return "Refused";
    case CompileOutcome::Cancelled:
      return "Cancelled";
  }
  return "?";
}

std::string editorTextFromBytes(std::span<const uint8_t> bytes) {
  return lyr::editorTextFromFile(bytes);
}

std::optional<LyrReadBack> readLyrAsTimedText(std::span<const uint8_t> bytes) {
  std::optional<std::string> text = lyr::lyrToTimedText(bytes);
  if (!text) return std::nullopt;
  const bool large = bytes[lyr::kHeaderFontClassOffset] == lyr::kFontClassLarge;
  return LyrReadBack{std::move(*text), large ? LyrFontChoice::Large : LyrFontChoice::Small};
}

std::string samiAsTimedText(std::string_view gbkSami) {
  return lyr::samiToTimedText(gbkSami).timedText;
}

CompileOutcome compileTimedTextToLyr(std::string_view gbkTimedText,
                                     const std::filesystem::path& output, LyrFontChoice font,
                                     Prompter& prompter) {
  lyr::LayoutWarning warning(prompter, lyr::LayoutWarning::Path::Editor);
  const auto screens = lyr::readTimedText(gbkTimedText, fontMode(font), warning);
  if (!screens) return CompileOutcome::Cancelled;
  lyr::CLyrWriter writer(prompter);
  return writer.write(output, *screens, fontMode(font)) == lyr::LyrWriteOutcome::Saved
             ? CompileOutcome::Written
             : CompileOutcome::Refused;
}

CompileOutcome compileLrcTextToLyr(std::string_view gbkLrcText, const std::filesystem::path& output,
                                   LyrFontChoice font, Prompter& prompter) {
  lyr::CLyrCompiler compiler(prompter);
  switch (compiler.compileLrcTextToLyrFile(gbkLrcText, output, fontMode(font))) {
    case lyr::CompileStatus::Ok:
      return CompileOutcome::Written;
    case lyr::CompileStatus::Cancelled:
      return CompileOutcome::Cancelled;
    case lyr::CompileStatus::Failed:
      return CompileOutcome::Refused;
  }
  return CompileOutcome::Refused;
}

std::string samiFileOf(std::string_view gbkTimedText) {
  return lyr::exportSami(gbkTimedText);
}

std::string_view samiWriteFailedText() {
  return lyr::text::kCannotWrite;
}

}  // namespace norva::editor
