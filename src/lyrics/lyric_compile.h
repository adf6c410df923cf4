#pragma once
// The lyric compiler's work in memory: LRC text (and, for the MPR converters, timed text) into
// a LYR image. A compile parses the text into screen texts, lays every screen out (asking
// about screens that are too long), places the texts, reads the time groups of the timed
// lines, sorts all tags by time and writes header, directory and index. Failures are the
// compiler's numbered errors; nothing is shown here (CLyrCompiler shows them).
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "lyrics/layout_check.h"
#include "lyrics/lyr_format.h"
#include "lyrics/relay.h"

namespace norva::lyr {

// The compiler's error numbers, shown as one message box each.
enum class CompileError : int {
  None = 0,
  LoadFailed = 1,     // "Load file is error!"
  InputTooLarge = 2,  // "LRC文件太大!" (also every capacity the compiler cannot hold)
  CreateFailed = 3,   // "Create file failure!"
  NoText = 4,         // "程序处理缺陷!"
  TextTooLong = 5,    // "单屏显示字符过长!"
};
const char* toString(CompileError error);
// The text the error box shows (UTF-8); "未知错误!" for anything outside 1..5.
std::string_view compileErrorMessage(CompileError error);

// What a relay refusal means to the compiler and the MPR converters: a text of 256 bytes or
// more is error 5, anything else error 2.
CompileError compileErrorFor(RelayResult result);

enum class CompileStatus { Ok, Failed, Cancelled };
const char* toString(CompileStatus status);

enum class LyricSyntax { Lrc, TimedText };

constexpr size_t kCompilerInputCapacity = 32768;  // the text and its terminating NUL
constexpr size_t kCaptionBytes = 59;              // of the layout warning's caption, in GBK

struct CompileResult {
  CompileStatus status = CompileStatus::Ok;
  CompileError error = CompileError::None;  // when Failed
  size_t indexCount = 0;                    // n, the index entries of the image, when Ok
  uint8_t fontClass = kFontClassSmall;      // large once any screen text byte is above 0x80
};

// Compiles `text` into `image` (header, directory, index sorted by time, texts; before relay).
// `fontClass` is the class a compile starts from: small, or large when the editor's command
// preset it. After Cancel in `check` the remaining screens are laid out without asking and
// the result is Cancelled.
CompileResult compileLyric(std::string_view text, LyricSyntax syntax, uint8_t fontClass,
                           LayoutCheck& check, LyrImage& image);

// A file's bytes as the compiler reads them: CR LF appended when the last byte is not LF and
// the byte before it is not CR.
std::string compilerTextFromFile(std::span<const uint8_t> bytes);

// The layout warning's caption from a name: at most 59 bytes in GBK, characters kept whole.
std::string compilerCaption(std::string_view utf8);

}  // namespace norva::lyr
