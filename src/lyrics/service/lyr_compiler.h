#pragma once
// CLyrCompiler: LRC files (and, for the MPR converters, timed text) into LYR images, with the
// user told what went wrong. One object serves one file and is then discarded: it keeps the
// layout warning's answers, the font class and the compiled image. Errors are shown at once
// in the box "Compile Error information"; Cancel in the layout warning is silent.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string_view>

#include "base/prompter.h"
#include "lyrics/layout_check.h"
#include "lyrics/lyr_format.h"
#include "lyrics/lyric_compile.h"
#include "lyrics/service/layout_warning.h"

namespace norva::lyr {

// Shows the error box of `error`: its text, caption "Compile Error information", OK.
void showCompileError(Prompter& prompter, CompileError error);

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

  CompileError error() const { return error_; }
  // The compiled image (before relay): header, directory, index sorted by time, texts.
  const LyrImage& image() const { return image_; }
  // n, the number of index entries of the compiled image.
  size_t indexCount() const { return indexCount_; }
  uint8_t fontClass() const { return fontClass_; }

  // Relays the compiled image; a relayed image that would not fit is error 2 (shown), and
  // the image is then left as it was.
  bool relayImage();

  // The batch LRC converter: compile, relay, write. An output that cannot be written is
  // error 3 without a message box; compile errors are shown; Cancel is silent.
  CompileStatus compileLrcFileToLyrFile(const std::filesystem::path& input,
                                        const std::filesystem::path& output);

  // The editor's command on an open LRC document: compile the text with the font preset from
  // `mode`, tell when there are 256 screens or more, relay, write, report.
  CompileStatus compileLrcTextToLyrFile(std::string_view gbkText,
                                        const std::filesystem::path& output, FontMode mode);

 private:
  CompileStatus compileFile(const std::filesystem::path& path, LyricSyntax syntax);
  CompileStatus compile(std::string_view text, LyricSyntax syntax);
  CompileStatus fail(CompileError error);
  bool writeImage(const std::filesystem::path& output) const;

  Prompter& prompter_;
  LayoutWarning warning_;
  LayoutCheck check_{warning_};
  uint8_t fontClass_ = kFontClassSmall;
  CompileError error_ = CompileError::None;
  size_t indexCount_ = 0;
  LyrImage image_;
};

}  // namespace norva::lyr
