#include "editor/player_screen.h"

#include <algorithm>
#include <cmath>
#include <span>
#include <vector>

#include "editor/convert_rules.h"
#include "lyrics/layout_check.h"
#include "lyrics/lyrics_messages.h"
#include "lyrics/timed_lyr_image.h"
#include "lyrics/timed_text_reader.h"

namespace norva::editor {
namespace {

// The live screen never asks: screens longer than the player shows are compiled as they are,
// as after "ignore all".
class NoQuestions : public lyr::LayoutQuestion {
 public:
  lyr::LayoutAnswer ask(int, bool) override { return lyr::LayoutAnswer::IgnoreAll; }
};

}  // namespace

const char* toString(LiveCompile outcome) {
  switch (outcome) {
    case LiveCompile::Compiled:
      return "compiled";
    case LiveCompile::TooLong:
      return "too long for the player";
  }
  return "?";
}

LiveLyric LiveLyric::compile(std::string_view gbkTimedText) {
  LiveLyric live;
  // The convert command's save dialog selects its first filter unless the user picks another.
  const lyr::FontMode mode = convertFont(gbkTimedText, 0) == LyrFontChoice::Large
                                 ? lyr::FontMode::Large
                                 : lyr::FontMode::Small;
  live.fontClass_ = mode == lyr::FontMode::Large ? lyr::kFontClassLarge : lyr::kFontClassSmall;
  NoQuestions noQuestions;
  const auto screens = lyr::readTimedText(gbkTimedText, mode, noQuestions);
  const std::vector<lyr::TimedScreen> none;
  const std::span<const lyr::TimedScreen> laidOut = screens ? *screens : none;
  const lyr::TimedLyrLayout layout = lyr::checkTimedLyrSize(laidOut, mode);
  if (layout.check != lyr::LyrSizeCheck::Fits) {
    live.outcome_ = LiveCompile::TooLong;
    return live;
  }
  const std::vector<uint8_t> file = lyr::buildTimedLyrFile(laidOut, layout);
  if (file.size() > lyr::kHeaderSize)
    live.track_ = preview::LyricTrack::fromBody(std::span(file).subspan(lyr::kHeaderSize));
  return live;
}

std::string_view LiveLyric::errorText() const {
  return outcome_ == LiveCompile::TooLong ? lyr::text::kFileTooLong : std::string_view{};
}

std::optional<std::string> LiveLyric::screenAt(double seconds) const {
  if (!track_) return std::nullopt;
  const std::optional<size_t> entry = track_->screenAt(playedTenths(seconds));
  if (!entry) return std::nullopt;
  return track_->entries()[*entry].text;
}

int64_t playedMilliseconds(double seconds) {
  // Far beyond any song, and still inside int64_t.
  constexpr double kLatestMs = 1.0e15;
  const double ms = std::trunc(seconds * 1000.0);
  if (!(ms > 0)) return 0;
  return static_cast<int64_t>(std::min(ms, kLatestMs));
}

int64_t playedTenths(double seconds) {
  return playedMilliseconds(seconds) / 100;
}

}  // namespace norva::editor
