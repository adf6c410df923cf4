#pragma once
// Making MPR files: a relayed LYR image and an MP3 file into one file, and the conversion that
// first compiles or reads the lyric. Everything that goes wrong is told to the user where it
// happens; the outcome says what it was.
#include <cstddef>
#include <filesystem>
#include <optional>
#include <string_view>

#include "base/prompter.h"
#include "lyrics/lyr_format.h"
#include "lyrics/lyric_compile.h"
#include "lyrics/mpr_image.h"

namespace norva::lyr {

enum class MprResult {
  Done,
  Cancelled,      // Cancel in a layout warning
  Mp3Missing,     // "指定的MP3文件不存在,或者正在使用!"
  NotMp3,         // the MP3 file holds no MPEG audio stream
  CompileFailed,  // the compiler's error (1, 2, 4 or 5) was shown
  CreateFailed,   // the output could not be written: error 3, "Create file failure!"
  NotLyr,         // the lyric read as LYR is not a LYR image
};
const char* toString(MprResult result);

struct MprOutcome {
  MprResult result = MprResult::Done;
  CompileError compileError = CompileError::None;  // when CompileFailed
  std::filesystem::path output;                    // the file written (or that would have been)
  size_t mp3Chunks = 0;                            // 65536-byte pieces the MP3 was copied in
};

// Writes the MPR file from a relayed LYR image (its size a multiple of 512) and an MP3 file.
// An empty `output` means defaultMprPath(mp3). A missing or unreadable MP3, or one in which the
// preview's header search finds no MPEG audio, is reported ("MPR转化失败") and nothing is written;
// an output that cannot be created or completed is reported as error 3 and leaves no file behind
// (an older file of that name stays).
MprOutcome assembleMpr(Prompter& prompter, const LyrImage& image, const std::filesystem::path& mp3,
                       const std::filesystem::path& output);

// Compiles or reads the lyric by its extension (".TLY" timed text, ".LRC" LRC, any case;
// anything else is read as a LYR file), tells when there are 256 screens or more, relays and
// assembles. Compile errors and refusals are reported where they happen.
// A compiler's layout warning carries `warningCaption` when it is not empty (the batch
// converter passes the MPR file's name).
MprOutcome convertToMpr(Prompter& prompter, const std::filesystem::path& mp3,
                        const std::filesystem::path& lyric, const std::filesystem::path& output,
                        std::string_view warningCaption = {});

// The relayed LYR image of a lyric compiled or read as `kind`; nothing after a failure or
// Cancel, with `outcome` saying which (the user has been told). The first half of a
// conversion, for callers that choose the kind themselves or assemble on another thread.
std::optional<LyrImage> relayedLyricImage(Prompter& prompter, const std::filesystem::path& lyric,
                                          LyricKind kind, std::string_view warningCaption,
                                          MprOutcome& outcome);

}  // namespace norva::lyr
