#include "cli/stdio_files.h"

#include <fstream>
#include <iostream>
#include <iterator>
#include <vector>

#include "cli/command_line.h"
#include "cli/refusal.h"

namespace norva::cli {
namespace {

constexpr std::string_view kTemporaryPrefix = "norva-";

// Makes `into` a new private temporary file; false, with a message, when none can be made.
bool makeTemporary(std::optional<PrivateTempFile>& into) {
  std::optional<PrivateTempFile> file = PrivateTempFile::create(kTemporaryPrefix);
  if (!file) {
    sayLine("cannot make a temporary file");
    return false;
  }
  into.emplace(std::move(*file));
  return true;
}

}  // namespace

std::optional<std::string> StdioFiles::input(const std::string& argument) {
  if (argument != "-") return argument;
  if (!makeTemporary(stdinCopy_)) return std::nullopt;
  const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(std::cin), {}};
  if (std::cin.bad() || !stdinCopy_->write(bytes)) {
    sayLine("cannot read standard input");
    return std::nullopt;
  }
  return stdinCopy_->path().string();
}

std::optional<std::string> StdioFiles::output(const std::string& argument) {
  if (argument != "-") return argument;
  if (!makeTemporary(stdoutFile_)) return std::nullopt;
  return stdoutFile_->path().string();
}

int StdioFiles::finish(int exitCode) {
  if (!stdoutFile_ || exitCode != kExitDone) return exitCode;
  std::ifstream written(stdoutFile_->path(), std::ios::binary);
  std::cout << written.rdbuf();
  if (!written) {
    sayLine("cannot read back the output");
    return kExitRefused;
  }
  // A write that failed is reported with its reason when the program ends.
  return std::cout.flush() ? exitCode : kExitRefused;
}

}  // namespace norva::cli
