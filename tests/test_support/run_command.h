#pragma once
// Runs a program with arguments (no shell word splitting surprises: every argument is quoted)
// and collects its exit code, stdout and stderr.
#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "test_support/temp_dir.h"

namespace norva {

struct CommandResult {
  int exitCode = -1;
  std::string out;
  std::string err;
};

inline std::string shellQuoted(const std::string& word) {
  std::string quoted = "'";
  for (char c : word) {
    if (c == '\'')
      quoted += "'\\''";
    else
      quoted += c;
  }
  return quoted + "'";
}

inline CommandResult runCommand(const std::vector<std::string>& argv) {
  TempDir dir;
  std::string command;
  for (const auto& arg : argv) command += shellQuoted(arg) + ' ';
  command += "</dev/null >" + shellQuoted((dir.path() / "out").string()) + " 2>" +
             shellQuoted((dir.path() / "err").string());
  CommandResult result;
  const int status = std::system(command.c_str());
  result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  auto slurp = [](const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  };
  result.out = slurp(dir.path() / "out");
  result.err = slurp(dir.path() / "err");
  return result;
}

}  // namespace norva
