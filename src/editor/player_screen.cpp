#include "editor/player_screen.h"

#include <algorithm>
#include <cmath>
#include <span>
#include <vector>

#include "editor/convert_rules.h"
#include "lyrics/layout_check.h"
#include "lyrics/lyric_compile.h"
#include "lyrics/lyrics_messages.h"
#include "lyrics/relay.h"
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
    case LiveCompile::Refused:
      return "refused by the compile";
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
    live.error_ = lyr::text::kFileTooLong;
    return live;
  }
  live.takeImage(lyr::buildTimedLyrFile(laidOut, layout));
  return live;
}

LiveLyric LiveLyric::compileLrc(std::string_view gbkLrcText) {
  LiveLyric live;
  std::string lrc(gbkLrcText);
  if (!lrc.ends_with('\n')) lrc += "\r\n";
  const uint8_t startClass = convertFont(gbkLrcText, 0) == LyrFontChoice::Large
                                 ? lyr::kFontClassLarge
                                 : lyr::kFontClassSmall;
  NoQuestions noQuestions;
  lyr::LayoutCheck check(noQuestions);
  lyr::LyrImage image;
  const lyr::CompileResult result =
      lyr::compileLyric(lrc, lyr::LyricSyntax::Lrc, startClass, check, image);
  live.fontClass_ = result.fontClass;
  lyr::CompileError error = result.error;
  if (result.status == lyr::CompileStatus::Ok) {
    const lyr::RelayResult relayed = lyr::relay(image);
    if (relayed != lyr::RelayResult::Ok) error = lyr::compileErrorFor(relayed);
  }
  if (result.status != lyr::CompileStatus::Ok || error != lyr::CompileError::None) {
    live.outcome_ = LiveCompile::Refused;
    live.error_ = lyr::compileErrorMessage(error);
    return live;
  }
  live.takeImage(std::span<const uint8_t>(image.bytes.data(), image.size));
  return live;
}

void LiveLyric::takeImage(std::span<const uint8_t> lyrFile) {
  if (lyrFile.size() > lyr::kHeaderSize)
    track_ = preview::LyricTrack::fromBody(lyrFile.subspan(lyr::kHeaderSize));
}

std::string_view LiveLyric::errorText() const {
  return error_;
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
