#include "lyrics/service/text_file_conversion.h"

#include "base/service/file_io.h"
#include "lyrics/lyrics_messages.h"
#include "lyrics/text_encoding_conversion.h"

namespace norva::lyr {

const char* toString(TextFileResult result) {
  switch (result) {
    case TextFileResult::Converted:
      return "converted";
    case TextFileResult::Copied:
      return "copied (already UTF-16)";
    case TextFileResult::CannotOpen:
      return "the file cannot be opened";
    case TextFileResult::TooLarge:
      return "larger than 1048576 bytes";
    case TextFileResult::NotWritten:
      return "the output cannot be written";
  }
  return "?";
}

TextFileResult convertTextFile(Prompter& prompter, const std::filesystem::path& input,
                               const std::filesystem::path& output) {
  const ReadResult file = readWholeFile(input, kMaxPlayerTextBytes);
  if (file.status == ReadResult::Status::CannotOpen) {
    tell(prompter, text::kTextSourceOpenFailed, text::kTextConverterCaption, MessageIcon::Warning);
    return TextFileResult::CannotOpen;
  }
  const TextEncodingOutcome outcome = convertTextForPlayer(file.bytes);
  if (file.status == ReadResult::Status::TooLarge ||
      outcome.result == TextEncodingResult::TooLarge) {
    tell(prompter, text::kTextTooLong, text::kTextConverterCaption, MessageIcon::Warning);
    return TextFileResult::TooLarge;
  }
  if (!writeFileAtomically(output, outcome.bytes).ok()) return TextFileResult::NotWritten;
  return outcome.result == TextEncodingResult::Copied ? TextFileResult::Copied
                                                      : TextFileResult::Converted;
}

}  // namespace norva::lyr
