#pragma once
// MPR: one MP3 file with its compiled lyric in front. The first part is the LYR image after
// relay without its 512-byte header block (so every offset in it counts from the start of the
// MPR file), its directory record named "NORVA MP3"; the MP3 file follows, byte for byte, at
// L = the text end rounded up to a multiple of 512.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string_view>

#include "base/prompter.h"
#include "lyrics/lyr_format.h"

namespace norva::lyr {

constexpr std::string_view kMprName = "NORVA MP3";  // directory bytes 0-8, no NUL
constexpr size_t kMprCopyChunk = 65536;

namespace mpr_text {
constexpr std::string_view kMp3Missing = "指定的MP3文件不存在,或者正在使用!";
constexpr std::string_view kFailedCaption = "MPR转化失败";
constexpr std::string_view kTooManyScreens = "屏数超过256后将不显示其后的数据";
constexpr std::string_view kTooManyScreensCaption = "MP3-->MPR";
constexpr std::string_view kNotLyr = "歌词文件不是有效的LYR文件!";
}  // namespace mpr_text

// Results of the assembly and the conversion.
enum MprResult : int {
  kMprDone = 0,
  kMprCancelled = -1,    // Cancel in a layout warning
  kMprMp3Missing = 2,    // "指定的MP3文件不存在,或者正在使用!"
  kMprCreateFailed = 3,  // error 3 of the compiler, "Create file failure!"
  kMprNotLyr = 6,        // the lyric read as LYR is not a LYR image
  // Compile errors 1, 2, 4 and 5 are returned as their numbers.
};

struct MprOutcome {
  int result = kMprDone;
  std::filesystem::path output;  // the file written (or that would have been)
  size_t mp3Chunks = 0;          // 65536-byte pieces the MP3 was copied in
};

// The MPR file next to an MP3: its path with the last three characters replaced by "MPR".
std::filesystem::path defaultMprPath(const std::filesystem::path& mp3);

// Writes the MPR file from a relayed LYR image (its size a multiple of 512) and an MP3 file.
// An empty `output` means defaultMprPath(mp3). A missing or unreadable MP3 is reported
// ("MPR转化失败") and nothing is written; an output that cannot be created or completed is
// reported as error 3 and leaves no file behind (an older file of that name stays).
MprOutcome assembleMpr(Prompter& prompter, LyrImage& image, const std::filesystem::path& mp3,
                       const std::filesystem::path& output);

// Compiles or reads the lyric by its extension (".TLY" timed text, ".LRC" LRC, any case;
// anything else is read as a LYR file), tells when there are 256 screens or more, relays and
// assembles. Compile errors and refusals are reported where they happen.
MprOutcome convertToMpr(Prompter& prompter, const std::filesystem::path& mp3,
                        const std::filesystem::path& lyric, const std::filesystem::path& output);

}  // namespace norva::lyr
