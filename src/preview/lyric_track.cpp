#include "preview/lyric_track.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <fstream>

#include "base/byte_order.h"

namespace norva::preview {
namespace {

constexpr size_t kFontClassOffset = 16;
constexpr size_t kCountOffset = 22;
constexpr size_t kIndexOffset = 24;
constexpr size_t kEntrySize = 4;
constexpr size_t kLyrHeaderBlock = 512;

std::string upper(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

// Reads up to `limit` bytes from `offset` on; nothing when the file cannot be opened.
std::optional<std::vector<uint8_t>> readPart(const std::filesystem::path& path, uint64_t offset,
                                             size_t limit) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec)) return std::nullopt;
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  in.seekg(0, std::ios::end);
  const auto size = static_cast<uint64_t>(in.tellg());
  std::vector<uint8_t> bytes;
  if (size <= offset) return bytes;
  bytes.resize(static_cast<size_t>(std::min<uint64_t>(size - offset, limit)));
  in.seekg(static_cast<std::streamoff>(offset));
  if (!in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size())))
    return std::nullopt;
  return bytes;
}

}  // namespace

std::optional<LyricTrack> LyricTrack::fromBody(std::span<const uint8_t> body) {
  if (body.size() < kIndexOffset) return std::nullopt;
  const uint8_t fontClass = body[kFontClassOffset];
  if (fontClass != 1 && fontClass != 2) return std::nullopt;
  const size_t count = readBe16(body, kCountOffset);
  if (kIndexOffset + count * kEntrySize > body.size()) return std::nullopt;
  LyricTrack track;
  track.fontClass_ = fontClass;
  track.entries_.reserve(count);
  for (size_t i = 0; i < count; ++i) {
    const size_t at = kIndexOffset + i * kEntrySize;
    const size_t textOffset = readBe16(body, at + 2);
    if (textOffset >= body.size()) continue;
    const auto rest = body.subspan(textOffset);
    const auto end = std::find(rest.begin(), rest.end(), uint8_t{0});
    track.entries_.push_back(LyricEntry{readBe16(body, at), std::string(rest.begin(), end)});
  }
  return track;
}

int LyricTrack::screenAt(int64_t t) const {
  for (size_t i = entries_.size(); i-- > 0;)
    if (entries_[i].time < t) return static_cast<int>(i);
  return -1;
}

bool isMprName(const std::filesystem::path& path) {
  const std::string name = path.string();
  return name.size() >= 4 && upper(name.substr(name.size() - 4)) == ".MPR";
}

std::filesystem::path lyricPathFor(const std::filesystem::path& mp3) {
  std::string name = mp3.string();
  name.erase(name.size() - std::min<size_t>(3, name.size()));
  return name + "LYR";
}

std::optional<std::filesystem::path> findIgnoringCase(const std::filesystem::path& path) {
  std::error_code ec;
  if (std::filesystem::is_regular_file(path, ec)) return path;
  const auto folder = path.has_parent_path() ? path.parent_path() : std::filesystem::path(".");
  const std::string wanted = upper(path.filename().string());
  for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end;
       it.increment(ec)) {
    if (upper(it->path().filename().string()) == wanted && it->is_regular_file(ec))
      return path.has_parent_path() ? it->path() : it->path().filename();
  }
  return std::nullopt;
}

LyricLoad loadLyricFor(const std::filesystem::path& media) {
  LyricLoad load;
  std::optional<std::vector<uint8_t>> body;
  if (isMprName(media)) {
    load.readPath = media;
    body = readPart(media, 0, kMaxLyricBody);
  } else {
    load.readPath = lyricPathFor(media);
    if (auto found = findIgnoringCase(load.readPath)) {
      load.readPath = *found;
      body = readPart(*found, kLyrHeaderBlock, kMaxLyricBody);
    }
  }
  if (body) load.track = LyricTrack::fromBody(*body);
  if (!load.track) {
    load.message = isMprName(media) ? "No sync lyric!" : "无对应的歌词文件";
    load.message += '"' + load.readPath.string() + '"';
  }
  return load;
}

int64_t tenthsPlayed(int64_t frames, double msPerFrame) {
  return static_cast<int64_t>(static_cast<double>(frames) * msPerFrame) / 100;
}

std::string timeText(int64_t tenths) {
  char text[32];
  const long long seconds = tenths / 10;
  std::snprintf(text, sizeof text, " %02lld:%02lld ", seconds / 60, seconds % 60);
  return text;
}

LyricProgress::Step LyricProgress::update(int64_t tenths) {
  Step step;
  if (track_ == nullptr) return step;
  step.screen = track_->screenAt(tenths);
  if (step.screen >= 0 && step.screen != lastShown_) {
    lastShown_ = step.screen;
    shownSince_ = tenths;
    step.changed = true;
  }
  return step;
}

}  // namespace norva::preview
