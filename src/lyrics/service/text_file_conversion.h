#pragma once
// Converting one text file for the player (see lyrics/text_encoding_conversion.h) on disk: the
// input read whole, the output written under its name only once it is complete, so a file of
// that name stays as it was when the write fails. An input that cannot be read or is too large
// is told to the user ("TXT文件转换"); an output that cannot be written is not.
#include <filesystem>

#include "base/prompter.h"

namespace norva::lyr {

enum class TextFileResult {
  Converted,   // ANSI text written as UTF-16
  Copied,      // UTF-16 little-endian text written as it was
  CannotOpen,  // "原文件打开失败!" was shown; nothing written
  TooLarge,    // "TXT文本过长!..." was shown; nothing written
  NotWritten,  // the output could not be written; no message
};
const char* toString(TextFileResult result);

TextFileResult convertTextFile(Prompter& prompter, const std::filesystem::path& input,
                               const std::filesystem::path& output);

}  // namespace norva::lyr
