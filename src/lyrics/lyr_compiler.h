#pragma once
// CLyrCompiler: LRC files (and, for the MPR converters, timed text) into LYR images.
// One object serves one file and is then discarded. Errors are small numbers turned into one
// message box ("Compile Error information") when they happen.
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "base/prompter.h"
#include "lyrics/layout_warning.h"
#include "lyrics/lyr_format.h"

namespace norva::lyr {

enum CompileError : int {
  kNoError = 0,
  kLoadFailed = 1,     // "Load file is error!"
  kInputTooLarge = 2,  // "LRC文件太大!" (also every capacity the compiler cannot hold)
  kCreateFailed = 3,   // "Create file failure!"
  kNoText = 4,         // "程序处理缺陷!"
  kTextTooLong = 5,    // "单屏显示字符过长!"
};

enum class CompileStatus { Ok, Failed, Cancelled };

// The text of an error number (UTF-8), "未知错误!" for numbers outside 1..5.
std::string compileErrorText(int error);
// Shows the error box: the text, caption "Compile Error information", OK.
void showCompileError(Prompter& prompter, int error);

class CLyrCompiler {
 public:
  explicit CLyrCompiler(Prompter& prompter);

  // Caption of the layout warning (the batch converters pass the current file name); cut to
  // 59 bytes. Empty means the editor's caption.
  void setCaption(std::string_view utf8Caption);
  // The editor's command presets the font class from its font choice before parsing.
  void setFontMode(FontMode mode);

  // Compile into image(); errors are shown before returning Failed, Cancel is silent.
  CompileStatus compileLrcFile(const std::filesystem::path& path);
  CompileStatus compileTimedTextFile(const std::filesystem::path& path);
  CompileStatus compileLrcText(std::string_view gbkText);
  CompileStatus compileTimedText(std::string_view gbkText);

  int error() const { return error_; }
  // The compiled image (before relay): header, directory, index sorted by time, texts.
  const LyrImage& image() const { return image_; }
  LyrImage& image() { return image_; }
  // n, the number of index entries of the compiled image.
  size_t indexCount() const { return indexCount_; }
  uint8_t fontClass() const { return fontClass_; }

  // Relays the compiled image; a relayed image that would not fit is error 2 (shown).
  bool relayImage();

  // The batch LRC converter: compile, relay, write. Returns 0; 3 when the output cannot be
  // written (no message box); the error number after a compile error (shown); -1 after Cancel.
  int compileLrcFileToLyrFile(const std::filesystem::path& input,
                              const std::filesystem::path& output);

  // The editor's command on an open LRC document: compile the text with the font preset from
  // `mode`, tell when there are 256 screens or more, relay, write, report.
  CompileStatus compileLrcTextToLyrFile(std::string_view gbkText,
                                        const std::filesystem::path& output, FontMode mode);

 private:
  enum class Syntax { Lrc, TimedText };
  CompileStatus compileFile(const std::filesystem::path& path, Syntax syntax);
  CompileStatus compile(std::string_view text, Syntax syntax);
  CompileStatus fail(int error);

  Prompter& prompter_;
  LayoutWarning warning_;
  uint8_t fontClass_ = kFontClassSmall;
  int error_ = kNoError;
  size_t indexCount_ = 0;
  LyrImage image_;
};

}  // namespace norva::lyr
