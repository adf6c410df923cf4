#include "base/service/desktop_association.h"

#include <spawn.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>

#include "base/service/file_io.h"

extern char** environ;

namespace norva {
namespace {

constexpr std::string_view kDefaultSection = "[Default Applications]";

std::filesystem::path homeFolder(const char* variable, const char* underHome) {
  // A relative or empty value is invalid and ignored, as the XDG rules say.
  if (const char* value = std::getenv(variable); value && *value == '/') return value;
  const char* home = std::getenv("HOME");
  return std::filesystem::path(home ? home : ".") / underHome;
}

std::string_view trimmed(std::string_view text) {
  const auto first = text.find_first_not_of(" \t\r");
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(" \t\r");
  return text.substr(first, last - first + 1);
}

// The text cut into lines, each without its line feed.
std::vector<std::string_view> splitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    const auto end = text.find('\n');
    lines.push_back(text.substr(0, end));
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
  return lines;
}

bool isSectionHeader(std::string_view line) {
  return trimmed(line).starts_with('[');
}

bool isTheDefaultSection(std::string_view line) {
  return trimmed(line) == kDefaultSection;
}

// The key of an entry line; empty for blank lines and comments.
std::string_view entryKey(std::string_view line) {
  const auto equals = line.find('=');
  if (equals == std::string_view::npos || trimmed(line).starts_with('#')) return {};
  return trimmed(line.substr(0, equals));
}

bool listed(std::span<const std::string_view> mimeTypes, std::string_view key) {
  return std::find(mimeTypes.begin(), mimeTypes.end(), key) != mimeTypes.end();
}

bool namesOnly(std::string_view line, std::string_view desktopId) {
  std::string_view value = trimmed(line.substr(line.find('=') + 1));
  if (value.ends_with(';')) value.remove_suffix(1);
  return value == desktopId;
}

std::string joinLines(const std::vector<std::string>& lines) {
  std::string text;
  for (const auto& line : lines) text += line + '\n';
  return text;
}

// Drops each [Default Applications] section that has no entries left.
std::vector<std::string> withoutEmptyDefaultSections(std::vector<std::string> lines) {
  std::vector<std::string> kept;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (!isTheDefaultSection(lines[i])) {
      kept.push_back(lines[i]);
      continue;
    }
    size_t end = i + 1;
    bool hasEntries = false;
    for (; end < lines.size() && !isSectionHeader(lines[end]); ++end)
      if (!trimmed(lines[end]).empty()) hasEntries = true;
    if (hasEntries) {
      kept.push_back(lines[i]);
      continue;
    }
    i = end - 1;  // the header and its blank lines go
  }
  while (!kept.empty() && trimmed(kept.back()).empty()) kept.pop_back();
  return kept;
}

bool readText(const std::filesystem::path& file, std::string& text) {
  std::error_code ec;
  if (!std::filesystem::exists(file, ec)) return !ec;
  const ReadResult read = readWholeFile(file, 1 << 20);
  if (read.status != ReadResult::Status::Ok) return false;
  text.assign(read.bytes.begin(), read.bytes.end());
  return true;
}

bool storeText(const std::filesystem::path& file, const std::string& text) {
  std::error_code ec;
  if (text.empty()) {
    std::filesystem::remove(file, ec);
    return !ec;
  }
  std::filesystem::create_directories(file.parent_path(), ec);
  return writeFileAtomically(file, text).ok();
}

}  // namespace

void runDesktopTool(const std::vector<std::string>& command) {
  if (command.empty()) return;
  std::vector<char*> argv;
  for (const auto& arg : command) argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);
  pid_t pid = 0;
  if (posix_spawnp(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0) return;
  int status = 0;
  waitpid(pid, &status, 0);
}

std::filesystem::path xdgDataHome() {
  return homeFolder("XDG_DATA_HOME", ".local/share");
}

std::filesystem::path xdgConfigHome() {
  return homeFolder("XDG_CONFIG_HOME", ".config");
}

std::string desktopExecArgument(std::string_view argument) {
  std::string quoted = "\"";
  for (char c : argument) {
    if (c == '"' || c == '`' || c == '$' || c == '\\') quoted += '\\';
    quoted += c;
  }
  quoted += '"';
  std::string out;
  for (char c : quoted) {
    if (c == '\\') out += '\\';
    out += c;
  }
  return out;
}

std::string withDefaultApplication(std::string_view mimeapps,
                                   std::span<const std::string_view> mimeTypes,
                                   std::string_view desktopId) {
  std::vector<std::string> lines;
  bool inSection = false;
  bool placed = false;
  for (std::string_view line : splitLines(mimeapps)) {
    if (isSectionHeader(line)) inSection = isTheDefaultSection(line);
    if (inSection && listed(mimeTypes, entryKey(line))) continue;
    lines.emplace_back(line);
    if (inSection && isTheDefaultSection(line) && !placed) {
      for (std::string_view type : mimeTypes)
        lines.push_back(std::string(type) + "=" + std::string(desktopId) + ";");
      placed = true;
    }
  }
  if (!placed) {
    if (!lines.empty() && !trimmed(lines.back()).empty()) lines.emplace_back();
    lines.emplace_back(kDefaultSection);
    for (std::string_view type : mimeTypes)
      lines.push_back(std::string(type) + "=" + std::string(desktopId) + ";");
  }
  return joinLines(lines);
}

std::string withoutDefaultApplication(std::string_view mimeapps,
                                      std::span<const std::string_view> mimeTypes,
                                      std::string_view desktopId) {
  std::vector<std::string> lines;
  bool inSection = false;
  bool removed = false;
  for (std::string_view line : splitLines(mimeapps)) {
    if (isSectionHeader(line)) inSection = isTheDefaultSection(line);
    if (inSection && listed(mimeTypes, entryKey(line)) && namesOnly(line, desktopId)) {
      removed = true;
      continue;
    }
    lines.emplace_back(line);
  }
  if (!removed) return std::string(mimeapps);
  return joinLines(withoutEmptyDefaultSections(std::move(lines)));
}

std::filesystem::path mimeappsFile(const std::filesystem::path& configHome) {
  return configHome / "mimeapps.list";
}

bool setDefaultApplication(const std::filesystem::path& configHome,
                           std::span<const std::string_view> mimeTypes,
                           std::string_view desktopId) {
  std::string text;
  if (!readText(mimeappsFile(configHome), text)) return false;
  return storeText(mimeappsFile(configHome), withDefaultApplication(text, mimeTypes, desktopId));
}

bool removeDefaultApplication(const std::filesystem::path& configHome,
                              std::span<const std::string_view> mimeTypes,
                              std::string_view desktopId) {
  std::string text;
  if (!readText(mimeappsFile(configHome), text)) return false;
  const std::string changed = withoutDefaultApplication(text, mimeTypes, desktopId);
  if (changed == text) return true;
  return storeText(mimeappsFile(configHome), changed);
}

}  // namespace norva
