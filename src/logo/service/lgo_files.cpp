#include "logo/service/lgo_files.h"

#include <fstream>

#include "base/service/file_io.h"
#include "logo/lgo_format.h"
#include "logo/lgo_reader.h"
#include "logo/lgo_writer.h"
#include "logo/logo_messages.h"

namespace norva::logo {

std::optional<LogoBitmap> readLgoFile(const std::filesystem::path& path) {
  const ReadResult read = readWholeFile(path, kLargestLgoFile);
  if (read.status != ReadResult::Status::Ok) return std::nullopt;
  std::optional<std::span<const uint8_t>> descriptionHead;
  uint8_t head[kLgoHeaderBytes] = {};
  if (read.bytes.size() > kLgoHeaderBytes &&
      !LgoHeader::parse(std::span<const uint8_t>(read.bytes).first<kLgoHeaderBytes>()).valid()) {
    std::filesystem::path description = path;
    description += ".des";
    std::ifstream in(description, std::ios::binary);
    if (in) {
      in.read(reinterpret_cast<char*>(head), sizeof head);
      descriptionHead = std::span<const uint8_t>(head, static_cast<size_t>(in.gcount()));
    }
  }
  return decodeLgo(read.bytes, descriptionHead);
}

const char* toString(SaveOutcome outcome) {
  switch (outcome) {
    case SaveOutcome::Saved:
      return "saved";
    case SaveOutcome::Declined:
      return "the user declined to replace the file";
    case SaveOutcome::NotWritten:
      return "the file could not be written";
  }
  return "unknown save outcome";
}

SaveOutcome saveLgo(const std::filesystem::path& path, const LogoBitmap& logo, bool reversedBits,
                    Prompter& prompter) {
  std::error_code ec;
  if (std::filesystem::exists(path, ec)) {
    const Answer answer = prompter.show(
        Message{kOverwriteQuestion, kLogoCaption, MessageIcon::Question, MessageButtons::OkCancel});
    if (answer != Answer::Ok) return SaveOutcome::Declined;
  }
  if (!writeFileAtomically(path, encodeLgo(logo, reversedBits)).ok())
    return SaveOutcome::NotWritten;
  return SaveOutcome::Saved;
}

}  // namespace norva::logo
