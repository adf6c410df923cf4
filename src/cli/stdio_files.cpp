#include "cli/stdio_files.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <iterator>

#include "cli/command_line.h"

namespace norva::cli {

StdioFiles::~StdioFiles() {
  std::error_code ec;
  if (stdinCopy_) std::filesystem::remove(*stdinCopy_, ec);
  if (stdoutFile_) std::filesystem::remove(*stdoutFile_, ec);
}

std::optional<std::filesystem::path> StdioFiles::makeTemporary() {
  std::string pattern = (std::filesystem::temp_directory_path() / "norva-XXXXXX").string();
  const int fd = ::mkstemp(pattern.data());  // private: mode 0600
  if (fd < 0) {
    std::cerr << "norva: cannot make a temporary file: " << std::strerror(errno) << '\n';
    return std::nullopt;
  }
  ::close(fd);
  return std::filesystem::path(pattern);
}

std::optional<std::string> StdioFiles::input(const std::string& argument) {
  if (argument != "-") return argument;
  stdinCopy_ = makeTemporary();
  if (!stdinCopy_) return std::nullopt;
  std::ofstream copy(*stdinCopy_, std::ios::binary);
  copy << std::cin.rdbuf();
  if (!copy.flush() || std::cin.bad()) {
    std::cerr << "norva: cannot read standard input\n";
    return std::nullopt;
  }
  return stdinCopy_->string();
}

std::optional<std::string> StdioFiles::output(const std::string& argument) {
  if (argument != "-") return argument;
  stdoutFile_ = makeTemporary();
  if (!stdoutFile_) return std::nullopt;
  return stdoutFile_->string();
}

int StdioFiles::finish(int exitCode) {
  if (!stdoutFile_ || exitCode != kExitDone) return exitCode;
  std::ifstream written(*stdoutFile_, std::ios::binary);
  std::cout << written.rdbuf();
  if (!written || !std::cout.flush()) {
    std::cerr << "norva: cannot write to standard output\n";
    return kExitRefused;
  }
  return exitCode;
}

}  // namespace norva::cli
