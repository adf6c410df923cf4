#include "preview/lyric_track.h"

#include <algorithm>
#include <cstdio>

#include "base/byte_order.h"
#include "base/file_names.h"
#include "lyrics/lyr_layout.h"

namespace norva::preview {
namespace {

// The lyric body starts with the directory record; the index follows it.
constexpr size_t kFontClassOffset = lyr::kDirFontClassOffset;
constexpr size_t kCountOffset = lyr::kDirScreenCountOffset;
constexpr size_t kIndexOffset = lyr::kDirectorySize;
constexpr size_t kEntrySize = lyr::kIndexEntrySize;

}  // namespace

std::optional<LyricTrack> LyricTrack::fromBody(std::span<const uint8_t> body) {
  if (body.size() < kIndexOffset) return std::nullopt;
  const uint8_t fontClass = body[kFontClassOffset];
  if (fontClass != lyr::kFontClassLarge && fontClass != lyr::kFontClassSmall) return std::nullopt;
  const size_t count = readBe16(body, kCountOffset);
  if (kIndexOffset + count * kEntrySize > body.size()) return std::nullopt;
  LyricTrack track;
  track.fontClass_ = fontClass;
  track.entries_.reserve(count);
  for (size_t i = 0; i < count; ++i) {
    const size_t at = kIndexOffset + i * kEntrySize;
    const size_t textOffset = readBe16(body, at + lyr::kEntryTextOffset);
    if (textOffset >= body.size()) continue;
    const auto rest = body.subspan(textOffset);
    const auto end = std::find(rest.begin(), rest.end(), uint8_t{0});
    track.entries_.push_back(
        LyricEntry{readBe16(body, at + lyr::kEntryTimeOffset), std::string(rest.begin(), end)});
  }
  return track;
}

std::optional<size_t> LyricTrack::screenAt(int64_t t) const {
  for (size_t i = entries_.size(); i-- > 0;)
    if (entries_[i].time < t) return i;
  return std::nullopt;
}

bool isMprName(const std::filesystem::path& path) {
  return endsWithIgnoringCase(path.string(), ".MPR");
}

std::filesystem::path lyricPathFor(const std::filesystem::path& mp3) {
  return replaceLastCharacters(mp3.string(), 3, "LYR");
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
  if (step.screen && step.screen != lastShown_) {
    lastShown_ = step.screen;
    shownSince_ = tenths;
    step.changed = true;
  }
  return step;
}

}  // namespace norva::preview
