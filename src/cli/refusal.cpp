#include "cli/refusal.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>
#include <iostream>

#include "base/service/staged_file.h"
#include "cli/command_line.h"

namespace norva::cli {
namespace {

constexpr std::string_view kStandardStream = "-";

// The system's part of a message that ends in ": <strerror text>".
std::string systemPart(const std::string& message) {
  const size_t at = message.rfind(": ");
  return at == std::string::npos ? message : message.substr(at + 2);
}

}  // namespace

void sayLine(std::string_view text) {
  std::cerr << "norva: " << text << '\n';
}

int refuseFile(std::string_view file, std::string_view cause) {
  std::cerr << "norva: " << (file == kStandardStream ? "standard input" : file) << ": " << cause
            << '\n';
  return kExitRefused;
}

int refuseStandardOutput(int error) {
  sayLine(std::string("standard output: cannot be written") +
          (error != 0 ? std::string(": ") + std::strerror(error) : std::string()));
  return kExitRefused;
}

int refuseCommand(const CommandFiles& files, std::string_view suspect, std::string_view cause) {
  for (const std::string& input : files.inputs) {
    if (input == kStandardStream) continue;
    if (const auto why = whyUnreadable(input)) return refuseFile(input, "cannot be read: " + *why);
  }
  if (files.output && *files.output != kStandardStream) {
    if (const auto why = whyUnwritable(*files.output))
      return refuseFile(*files.output, "cannot be written: " + *why);
  }
  return refuseFile(suspect, cause);
}

std::optional<std::string> whyUnreadable(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return std::strerror(errno);
  struct stat info {};
  std::optional<std::string> why;
  if (::fstat(fd, &info) != 0) {
    why = std::strerror(errno);
  } else if (S_ISDIR(info.st_mode)) {
    why = std::strerror(EISDIR);
  } else if (S_ISREG(info.st_mode)) {
    std::array<char, 1> byte{};
    if (::read(fd, byte.data(), byte.size()) < 0) why = std::strerror(errno);
  }
  ::close(fd);
  return why;
}

std::optional<std::string> whyUnwritable(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) == 0) {
    if (S_ISDIR(info.st_mode)) return std::strerror(EISDIR);
    if (S_ISFIFO(info.st_mode) || S_ISSOCK(info.st_mode)) {
      const int fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC | O_NONBLOCK);
      if (fd < 0) return std::strerror(errno);
      ::close(fd);
      return std::nullopt;
    }
  }
  // A staged write that is never committed: an unnamed file in the folder (or, for a device,
  // the device itself) takes one byte, and nothing is left behind.
  StagedFile probe(path);
  constexpr std::array<uint8_t, 1> kByte{0};
  if (probe.write(kByte)) return std::nullopt;
  return systemPart(probe.error());
}

}  // namespace norva::cli
