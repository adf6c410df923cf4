#include "lyrics/service/lyr_writer.h"

#include "base/service/file_io.h"
#include "lyrics/lyrics_messages.h"
#include "lyrics/timed_lyr_image.h"

namespace norva::lyr {

const char* toString(LyrWriteOutcome outcome) {
  switch (outcome) {
    case LyrWriteOutcome::Saved:
      return "saved";
    case LyrWriteOutcome::TooLong:
      return "too long for the player";
    case LyrWriteOutcome::CannotWrite:
      return "cannot write the file";
  }
  return "?";
}

LyrWriteOutcome CLyrWriter::write(const std::filesystem::path& output,
                                  std::span<const TimedScreen> screens, FontMode mode) {
  const TimedLyrLayout layout = checkTimedLyrSize(screens, mode);
  if (layout.check != LyrSizeCheck::Fits) {
    tell(prompter_, text::kFileTooLong, text::kErrorCaption, MessageIcon::Error);
    return LyrWriteOutcome::TooLong;
  }
  if (!writeFileAtomically(output, buildTimedLyrFile(screens, layout)).ok()) {
    tell(prompter_, text::kCannotWrite, text::kEditorCaption, MessageIcon::Error);
    return LyrWriteOutcome::CannotWrite;
  }
  tell(prompter_, text::kSaved, text::kEditorCaption, MessageIcon::Warning);
  return LyrWriteOutcome::Saved;
}

}  // namespace norva::lyr
