#include "lyrics/mpr_assembly.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <string>
#include <vector>

#include "base/file_io.h"
#include "base/staged_file.h"
#include "lyrics/lyr_compiler.h"
#include "lyrics/lyr_reader.h"
#include "lyrics/relay.h"

namespace norva::lyr {
namespace {

std::string upperTail(const std::string& text, size_t count) {
  std::string tail = text.size() >= count ? text.substr(text.size() - count) : text;
  for (char& c : tail) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return tail;
}

void say(Prompter& prompter, std::string_view text, std::string_view caption) {
  prompter.show(
      Message{std::string(text), std::string(caption), MessageIcon::None, MessageButtons::Ok});
}

// Reads a LYR file whole into the image; refuses files that are not LYR images.
int readLyrImage(Prompter& prompter, const std::filesystem::path& path, LyrImage& image) {
  const ReadResult file = readWholeFile(path, kMaxImageSize);
  if (file.status == ReadResult::Status::CannotOpen) {
    showCompileError(prompter, kLoadFailed);
    return kLoadFailed;
  }
  if (file.status == ReadResult::Status::TooLarge) {
    showCompileError(prompter, kInputTooLarge);
    return kInputTooLarge;
  }
  if (!hasLyrHeader(file.bytes) || file.bytes.size() < kHeaderSize + kDirectorySize) {
    say(prompter, mpr_text::kNotLyr, mpr_text::kFailedCaption);
    return kMprNotLyr;
  }
  std::fill(image.bytes.begin(), image.bytes.end(), uint8_t{0});
  std::copy(file.bytes.begin(), file.bytes.end(), image.bytes.begin());
  image.size = file.bytes.size();
  return kNoError;
}

}  // namespace

std::filesystem::path defaultMprPath(const std::filesystem::path& mp3) {
  std::string name = mp3.string();
  name.erase(name.size() - std::min<size_t>(3, name.size()));
  return name + "MPR";
}

MprOutcome assembleMpr(Prompter& prompter, LyrImage& image, const std::filesystem::path& mp3,
                       const std::filesystem::path& output) {
  MprOutcome outcome;
  outcome.output = output.empty() ? defaultMprPath(mp3) : output;

  std::error_code ec;
  std::ifstream in;
  if (std::filesystem::is_regular_file(mp3, ec)) in.open(mp3, std::ios::binary);
  if (!in.is_open() || !in) {
    say(prompter, mpr_text::kMp3Missing, mpr_text::kFailedCaption);
    outcome.result = kMprMp3Missing;
    return outcome;
  }
  // A relayed image is whole 512-byte blocks with at least the header and directory.
  const size_t size = image.size;
  if (size < kHeaderSize + kBlockSize || size > kMaxImageSize || size % kBlockSize != 0) {
    say(prompter, mpr_text::kNotLyr, mpr_text::kFailedCaption);
    outcome.result = kMprNotLyr;
    return outcome;
  }
  std::copy(kMprName.begin(), kMprName.end(), image.bytes.begin() + kHeaderSize);

  StagedFile out(outcome.output);
  out.write(std::span<const uint8_t>(image.bytes.data() + kHeaderSize, size - kHeaderSize));
  std::vector<uint8_t> chunk(kMprCopyChunk);
  while (out.ok()) {
    in.read(reinterpret_cast<char*>(chunk.data()), static_cast<std::streamsize>(chunk.size()));
    const auto got = static_cast<size_t>(in.gcount());
    if (got > 0) {
      ++outcome.mp3Chunks;
      out.write(std::span<const uint8_t>(chunk.data(), got));
    }
    if (!in) break;
  }
  const bool readAll = in.eof() && !in.bad();
  if (!readAll || !out.commit()) {
    showCompileError(prompter, kCreateFailed);
    outcome.result = kMprCreateFailed;
    return outcome;
  }
  outcome.result = kMprDone;
  return outcome;
}

MprOutcome convertToMpr(Prompter& prompter, const std::filesystem::path& mp3,
                        const std::filesystem::path& lyric, const std::filesystem::path& output) {
  MprOutcome outcome;
  outcome.output = output.empty() ? defaultMprPath(mp3) : output;
  const std::string kind = upperTail(lyric.string(), 4);

  // A fresh compiler for every conversion.
  CLyrCompiler compiler(prompter);
  LyrImage image;
  if (kind == ".TLY" || kind == ".LRC") {
    const CompileStatus status =
        kind == ".TLY" ? compiler.compileTimedTextFile(lyric) : compiler.compileLrcFile(lyric);
    if (status == CompileStatus::Cancelled) {
      outcome.result = kMprCancelled;
      return outcome;
    }
    if (status == CompileStatus::Failed) {
      outcome.result = compiler.error();
      return outcome;
    }
    if (compiler.indexCount() >= 256)
      say(prompter, mpr_text::kTooManyScreens, mpr_text::kTooManyScreensCaption);
    if (!compiler.relayImage()) {
      outcome.result = compiler.error();
      return outcome;
    }
    image = compiler.image();
  } else {
    if (const int error = readLyrImage(prompter, lyric, image); error != kNoError) {
      outcome.result = error;
      return outcome;
    }
    switch (relay(image)) {
      case RelayResult::Ok:
        break;
      case RelayResult::Malformed:
        say(prompter, mpr_text::kNotLyr, mpr_text::kFailedCaption);
        outcome.result = kMprNotLyr;
        return outcome;
      case RelayResult::TooLarge:
        showCompileError(prompter, kInputTooLarge);
        outcome.result = kInputTooLarge;
        return outcome;
      case RelayResult::TextTooLong:
        showCompileError(prompter, kTextTooLong);
        outcome.result = kTextTooLong;
        return outcome;
    }
  }
  return assembleMpr(prompter, image, mp3, output);
}

}  // namespace norva::lyr
