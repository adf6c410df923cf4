#pragma once
// "-" as a file name: an input read from standard input, an output sent to standard output.
// The converters work on files, so standard input is first copied into a private temporary
// file, and an output goes to one that is copied to standard output once the command is done.
// The temporary files are removed when this object goes.
#include <optional>
#include <string>

#include "base/service/private_temp_file.h"

namespace norva::cli {

class StdioFiles {
 public:
  StdioFiles() = default;
  StdioFiles(const StdioFiles&) = delete;
  StdioFiles& operator=(const StdioFiles&) = delete;

  // The file to read for `argument`: itself, or for "-" a copy of standard input (nothing, with
  // a message on stderr, when it cannot be made).
  std::optional<std::string> input(const std::string& argument);
  // The file to write for `argument`: itself, or for "-" a temporary file (nothing, with a
  // message, when it cannot be made).
  std::optional<std::string> output(const std::string& argument);
  // The command's exit code, after a finished output was copied to standard output: a copy that
  // fails turns success into kExitRefused.
  int finish(int exitCode);

 private:
  std::optional<PrivateTempFile> stdinCopy_;
  std::optional<PrivateTempFile> stdoutFile_;
};

}  // namespace norva::cli
