#include "lyrics/service/mpr_assembly.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "base/service/file_io.h"
#include "base/service/staged_file.h"
#include "lyrics/lyrics_messages.h"
#include "lyrics/relay.h"
#include "lyrics/service/lyr_compiler.h"
#include "preview/stream_info.h"

namespace norva::lyr {
namespace {

constexpr size_t kScreensThePlayerShows = 256;

MprOutcome finished(MprOutcome outcome, MprResult result, CompileError error = CompileError::None) {
  outcome.result = result;
  outcome.compileError = error;
  return outcome;
}

MprOutcome notLyr(Prompter& prompter, MprOutcome outcome) {
  tell(prompter, text::kNotLyr, text::kMprFailedCaption);
  return finished(std::move(outcome), MprResult::NotLyr);
}

MprOutcome compileFailed(Prompter& prompter, MprOutcome outcome, CompileError error) {
  showCompileError(prompter, error);
  return finished(std::move(outcome), MprResult::CompileFailed, error);
}

// Writes the MP3 behind the lyric part into the staged output in pieces of the copy size;
// false when it could not be written.
bool appendMp3(std::span<const uint8_t> mp3, StagedFile& out, size_t& chunks) {
  for (size_t at = 0; at < mp3.size() && out.ok(); at += kMprCopyChunk) {
    ++chunks;
    out.write(mp3.subspan(at, std::min(kMprCopyChunk, mp3.size() - at)));
  }
  return out.ok();
}

}  // namespace

std::optional<LyrImage> relayedLyricImage(Prompter& prompter, const std::filesystem::path& lyric,
                                          LyricKind kind, std::string_view warningCaption,
                                          MprOutcome& outcome) {
  if (kind != LyricKind::Lyr) {
    CLyrCompiler compiler(prompter);  // a fresh compiler for every conversion
    compiler.setCaption(warningCaption);
    const CompileStatus status = kind == LyricKind::TimedText ? compiler.compileTimedTextFile(lyric)
                                                              : compiler.compileLrcFile(lyric);
    if (status == CompileStatus::Cancelled) {
      outcome = finished(outcome, MprResult::Cancelled);
      return std::nullopt;
    }
    if (status == CompileStatus::Ok && compiler.indexCount() >= kScreensThePlayerShows)
      tell(prompter, text::kMprTooManyScreens, text::kTooManyScreensCaption);
    if (status != CompileStatus::Ok || !compiler.relayImage()) {
      outcome = finished(outcome, MprResult::CompileFailed, compiler.error());
      return std::nullopt;
    }
    return compiler.image();
  }

  const ReadResult file = readWholeFile(lyric, kMaxImageSize);
  if (file.status != ReadResult::Status::Ok) {
    outcome =
        compileFailed(prompter, outcome,
                      file.status == ReadResult::Status::TooLarge ? CompileError::InputTooLarge
                                                                  : CompileError::LoadFailed);
    return std::nullopt;
  }
  std::optional<LyrImage> image = lyrImageFromFile(file.bytes);
  if (!image) {
    outcome = notLyr(prompter, outcome);
    return std::nullopt;
  }
  const RelayResult relayed = relay(*image);
  if (relayed == RelayResult::Malformed) {
    outcome = notLyr(prompter, outcome);
    return std::nullopt;
  }
  if (relayed != RelayResult::Ok) {
    outcome = compileFailed(prompter, outcome, compileErrorFor(relayed));
    return std::nullopt;
  }
  return image;
}

const char* toString(MprResult result) {
  switch (result) {
    case MprResult::Done:
      return "done";
    case MprResult::Cancelled:
      return "cancelled";
    case MprResult::NotMp3:
      return "the MP3 file holds no MPEG audio";
    case MprResult::Mp3Missing:
      return "MP3 missing";
    case MprResult::CompileFailed:
      return "compile failed";
    case MprResult::CreateFailed:
      return "create failed";
    case MprResult::NotLyr:
      return "not a LYR file";
  }
  return "?";
}

MprOutcome assembleMpr(Prompter& prompter, const LyrImage& image, const std::filesystem::path& mp3,
                       const std::filesystem::path& output) {
  MprOutcome outcome;
  outcome.output = output.empty() ? defaultMprPath(mp3) : output;

  const ReadResult audio = readWholeFile(mp3);
  if (audio.status != ReadResult::Status::Ok) {
    tell(prompter, text::kMp3Missing, text::kMprFailedCaption);
    return finished(std::move(outcome), MprResult::Mp3Missing);
  }
  // The same search the player's preview makes: a file it would refuse to play is no MP3.
  if (!preview::analyseStream(audio.bytes)) {
    tell(prompter, text::kMp3NoAudio, text::kMprFailedCaption);
    return finished(std::move(outcome), MprResult::NotMp3);
  }
  const std::optional<std::vector<uint8_t>> lyricPart = mprLyricPart(image);
  if (!lyricPart) return notLyr(prompter, std::move(outcome));

  StagedFile out(outcome.output);
  out.write(*lyricPart);
  if (!appendMp3(audio.bytes, out, outcome.mp3Chunks) || !out.commit()) {
    showCompileError(prompter, CompileError::CreateFailed);
    return finished(std::move(outcome), MprResult::CreateFailed);
  }
  return finished(std::move(outcome), MprResult::Done);
}

MprOutcome convertToMpr(Prompter& prompter, const std::filesystem::path& mp3,
                        const std::filesystem::path& lyric, const std::filesystem::path& output,
                        std::string_view warningCaption) {
  MprOutcome outcome;
  outcome.output = output.empty() ? defaultMprPath(mp3) : output;
  const std::optional<LyrImage> image =
      relayedLyricImage(prompter, lyric, lyricKindOf(lyric), warningCaption, outcome);
  if (!image) return outcome;
  return assembleMpr(prompter, *image, mp3, output);
}

}  // namespace norva::lyr
