#include "lyrics/service/lyr_compiler.h"

#include "base/service/file_io.h"
#include "lyrics/lyrics_messages.h"
#include "lyrics/relay.h"

namespace norva::lyr {

namespace {
constexpr size_t kScreensThePlayerShows = 256;
}

void showCompileError(Prompter& prompter, CompileError error) {
  tell(prompter, compileErrorMessage(error), text::kCompileErrorCaption);
}

CLyrCompiler::CLyrCompiler(Prompter& prompter)
    : prompter_(prompter), warning_(prompter, LayoutWarning::Path::Compiler) {}

void CLyrCompiler::setCaption(std::string_view utf8Caption) {
  warning_.setCaption(compilerCaption(utf8Caption));
}

void CLyrCompiler::setFontMode(FontMode mode) {
  fontClass_ = mode == FontMode::Large ? kFontClassLarge : kFontClassSmall;
}

CompileStatus CLyrCompiler::fail(CompileError error) {
  error_ = error;
  showCompileError(prompter_, error);
  return CompileStatus::Failed;
}

CompileStatus CLyrCompiler::compileLrcFile(const std::filesystem::path& path) {
  return compileFile(path, LyricSyntax::Lrc);
}

CompileStatus CLyrCompiler::compileTimedTextFile(const std::filesystem::path& path) {
  return compileFile(path, LyricSyntax::TimedText);
}

CompileStatus CLyrCompiler::compileLrcText(std::string_view gbkText) {
  return compile(gbkText, LyricSyntax::Lrc);
}

CompileStatus CLyrCompiler::compileTimedText(std::string_view gbkText) {
  return compile(gbkText, LyricSyntax::TimedText);
}

CompileStatus CLyrCompiler::compileFile(const std::filesystem::path& path, LyricSyntax syntax) {
  const ReadResult file = readWholeFile(path, kCompilerInputCapacity);
  if (file.status == ReadResult::Status::CannotOpen) return fail(CompileError::LoadFailed);
  if (file.status == ReadResult::Status::TooLarge) return fail(CompileError::InputTooLarge);
  return compile(compilerTextFromFile(file.bytes), syntax);
}

CompileStatus CLyrCompiler::compile(std::string_view text, LyricSyntax syntax) {
  error_ = CompileError::None;
  indexCount_ = 0;
  const CompileResult result = compileLyric(text, syntax, fontClass_, check_, image_);
  fontClass_ = result.fontClass;
  if (result.status == CompileStatus::Failed) return fail(result.error);
  indexCount_ = result.indexCount;
  return result.status;
}

bool CLyrCompiler::relayImage() {
  const RelayResult result = relay(image_);
  if (result == RelayResult::Ok) return true;
  fail(compileErrorFor(result));
  return false;
}

bool CLyrCompiler::writeImage(const std::filesystem::path& output) const {
  return writeFileAtomically(output, std::span<const uint8_t>(image_.bytes.data(), image_.size)).ok();
}

CompileStatus CLyrCompiler::compileLrcFileToLyrFile(const std::filesystem::path& input,
                                                    const std::filesystem::path& output) {
  const CompileStatus status = compileLrcFile(input);
  if (status != CompileStatus::Ok) return status;
  if (!relayImage()) return CompileStatus::Failed;
  if (!writeImage(output)) {
    error_ = CompileError::CreateFailed;
    return CompileStatus::Failed;
  }
  return CompileStatus::Ok;
}

CompileStatus CLyrCompiler::compileLrcTextToLyrFile(std::string_view gbkText,
                                                    const std::filesystem::path& output,
                                                    FontMode mode) {
  setFontMode(mode);
  const CompileStatus status = compileLrcText(gbkText);
  if (status != CompileStatus::Ok) return status;
  if (indexCount_ >= kScreensThePlayerShows)
    tell(prompter_, text::kTooManyScreens, text::kTooManyScreensCaption);
  if (!relayImage()) return CompileStatus::Failed;
  if (!writeImage(output)) return fail(CompileError::CreateFailed);
  tell(prompter_, text::kConverted, text::kLrcConverterCaption);
  return CompileStatus::Ok;
}

}  // namespace norva::lyr
