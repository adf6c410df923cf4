#include "lyrics/lyric_compile.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "base/byte_order.h"
#include "base/gbk_codec.h"
#include "lyrics/lrc_syntax.h"
#include "lyrics/lyrics_messages.h"
#include "lyrics/screen_wrap.h"

namespace norva::lyr {
namespace {

// Capacities of the compiler's fixed tables.
constexpr size_t kMaxLineBytes = 257;     // a line with its CR LF
constexpr size_t kMaxTimedLines = 255;    // a time group's line number is one byte
constexpr size_t kTimeGroupBytes = 1024;  // 2 + 2 per tag, for every timed line
constexpr size_t kMaxScreenText = 199;    // a wrapped screen text

// One timed line's tags, in line order.
struct TimeGroup {
  size_t textIndex = 0;
  std::vector<uint16_t> times;
};

struct TaggedTime {
  uint16_t time;
  bool provisional;  // the tag the selection starts from: it ends up last among equal times
  size_t scanOrder;
  size_t textIndex;
};

// The screen texts of a lyric in reading order, with the timed lines their times come from.
struct ParsedLyric {
  std::vector<std::string> texts;
  std::vector<std::string_view> timedLines;  // timed line k gives the times of text k
  int64_t offset = 0;                        // LRC "[offset:...]" in tenths
};

// The screen texts, placed one after the other with their NULs.
struct PlacedTexts {
  std::vector<size_t> offsets;  // from the start of the text area
  size_t areaSize = 0;
};

// Cuts the input into lines and collects the screen texts.
CompileError parseLyric(std::string_view text, LyricSyntax syntax, ParsedLyric& out) {
  bool firstLine = true;
  bool currentIsTimed = false;  // false while only plain lines before the first timed line
  LineReader reader(text);
  InputLine line;
  while (reader.next(line)) {
    if (line.rawLength > kMaxLineBytes) return CompileError::TextTooLong;
    const std::string_view content = line.text;
    if (content.empty() || content == "\r") continue;  // empty lines, or only a CR
    if (syntax == LyricSyntax::TimedText) {
      if (!isTimedTextLine(content)) continue;
      if (out.timedLines.size() == kMaxTimedLines) return CompileError::InputTooLarge;
      const std::string_view lyric = timedTextLyric(content);
      out.texts.emplace_back(lyric.empty() ? std::string_view(" ") : lyric);
      out.timedLines.push_back(content);
      continue;
    }
    if (isLrcTimedLine(content)) {
      if (out.timedLines.size() == kMaxTimedLines) return CompileError::InputTooLarge;
      std::string_view lyric = lrcLyricText(content);
      if (lyric.empty()) lyric = " ";
      if (out.texts.empty() || currentIsTimed) out.texts.emplace_back();
      out.texts.back().append(lyric);  // plain lines before it stay in front, unbroken
      currentIsTimed = true;
      out.timedLines.push_back(content);
    } else if (content[0] == '[') {
      readLrcOffset(content, out.offset);
    } else if (!firstLine) {
      if (out.texts.empty()) out.texts.emplace_back();
      out.texts.back().push_back('\r');
      out.texts.back().append(content);
    }
    firstLine = false;
  }
  return CompileError::None;
}

bool hasTwoByteText(const std::vector<std::string>& texts) {
  return std::any_of(texts.begin(), texts.end(), [](const std::string& t) {
    return std::any_of(t.begin(), t.end(),
                       [](char c) { return static_cast<unsigned char>(c) > 0x80; });
  });
}

// Wraps every text in place and checks its lines. After Cancel the remaining screens are laid
// out without asking.
void layOutScreens(std::vector<std::string>& texts, uint8_t fontClass, LayoutCheck& check) {
  for (size_t i = 0; i < texts.size(); ++i) {
    WrappedScreen wrapped = wrapScreenText(texts[i]);
    check.check(static_cast<int>(i) + 1, wrapped.lines, fontClass == kFontClassLarge);
    texts[i] = std::move(wrapped.text);
  }
}

CompileError placeTexts(const std::vector<std::string>& texts, PlacedTexts& placed) {
  if (texts.empty()) return CompileError::NoText;
  placed.offsets.resize(texts.size());
  for (size_t i = 0; i < texts.size(); ++i) {
    if (texts[i].size() > kMaxScreenText) return CompileError::TextTooLong;
    placed.offsets[i] = placed.areaSize;
    placed.areaSize += texts[i].size() + 1;
  }
  return CompileError::None;
}

// One time group per timed line, or error 2 when the groups outgrow their table.
CompileError readTimeGroups(const ParsedLyric& parsed, LyricSyntax syntax,
                            std::vector<TimeGroup>& groups) {
  groups.assign(parsed.timedLines.size(), TimeGroup{});
  size_t groupBytes = 0;
  for (size_t k = 0; k < parsed.timedLines.size(); ++k) {
    const std::string_view timed = parsed.timedLines[k];
    TimeGroup& group = groups[k];
    group.textIndex = k;
    if (syntax == LyricSyntax::TimedText) {
      group.times.push_back(static_cast<uint16_t>(timedTextTime(timed) & 0xFFFF));
    } else {
      const size_t tagCount = lrcTagCount(timed);
      for (size_t i = 1; i < timed.size() && group.times.size() < tagCount; ++i) {
        if (timed[i - 1] != '[') continue;
        const uint32_t tenths = applyLrcOffset(readLrcTagTime(timed, i), parsed.offset);
        group.times.push_back(static_cast<uint16_t>(tenths & 0xFFFF));
      }
    }
    groupBytes += 2 + 2 * group.times.size();
    if (groupBytes > kTimeGroupBytes) return CompileError::InputTooLarge;
  }
  return CompileError::None;
}

// Every tag ascending by time. Among equal times the tags stand in reverse reading order, except
// the last tag of the first timed line (where the selection of the original ordering starts),
// which stands after them.
std::vector<TaggedTime> sortedTags(const std::vector<TimeGroup>& groups) {
  std::vector<TaggedTime> tags;
  bool provisionalChosen = false;
  for (const TimeGroup& group : groups) {
    for (size_t t = 0; t < group.times.size(); ++t) {
      const bool provisional = !provisionalChosen && t + 1 == group.times.size();
      tags.push_back({group.times[t], provisional, tags.size(), group.textIndex});
    }
    if (!group.times.empty()) provisionalChosen = true;
  }
  std::sort(tags.begin(), tags.end(), [](const TaggedTime& a, const TaggedTime& b) {
    if (a.time != b.time) return a.time < b.time;
    if (a.provisional != b.provisional) return b.provisional;
    return a.scanOrder > b.scanOrder;
  });
  return tags;
}

// The image's size, or nothing when it would not fit its buffer.
std::optional<size_t> imageSize(size_t indexCount, const PlacedTexts& placed) {
  const size_t size =
      roundUpToBlock(kHeaderSize + kDirectorySize + kIndexEntrySize * indexCount + placed.areaSize);
  if (size > kMaxImageSize) return std::nullopt;
  return size;
}

// Header, directory, index and texts into the cleared buffer.
void writeImage(const std::vector<std::string>& texts, const PlacedTexts& placed,
                const std::vector<TaggedTime>& tags, uint8_t fontClass, size_t size,
                LyrImage& image) {
  const size_t n = tags.size();
  const size_t textStart = kDirectorySize + kIndexEntrySize * n;
  std::fill(image.bytes.begin(), image.bytes.end(), uint8_t{0});
  std::span<uint8_t> bytes(image.bytes);
  writeHeaderBlock(bytes, fontClass, 0);
  std::span<uint8_t> body = bytes.subspan(kHeaderSize);
  body[kDirFontClassOffset] = fontClass;
  writeBe16(body, kDirTextEndOffset, static_cast<uint16_t>(textStart + placed.areaSize));
  writeBe16(body, kDirScreenCountOffset, static_cast<uint16_t>(n));
  for (size_t i = 0; i < n; ++i) {
    const size_t entry = kDirectorySize + kIndexEntrySize * i;
    writeBe16(body, entry + kEntryTimeOffset, tags[i].time);
    writeBe16(body, entry + kEntryTextOffset,
              static_cast<uint16_t>(textStart + placed.offsets[tags[i].textIndex]));
  }
  for (size_t i = 0; i < texts.size(); ++i)
    std::copy(texts[i].begin(), texts[i].end(),
              body.begin() + static_cast<ptrdiff_t>(textStart + placed.offsets[i]));
  image.size = size;
}

CompileResult failed(CompileResult result, CompileError error) {
  result.status = CompileStatus::Failed;
  result.error = error;
  return result;
}

}  // namespace

const char* toString(CompileError error) {
  switch (error) {
    case CompileError::None:
      return "none";
    case CompileError::LoadFailed:
      return "load failed";
    case CompileError::InputTooLarge:
      return "input too large";
    case CompileError::CreateFailed:
      return "create failed";
    case CompileError::NoText:
      return "no text";
    case CompileError::TextTooLong:
      return "text too long";
  }
  return "?";
}

std::string_view compileErrorMessage(CompileError error) {
  switch (error) {
    case CompileError::LoadFailed:
      return text::kLoadFailed;
    case CompileError::InputTooLarge:
      return text::kLrcTooLarge;
    case CompileError::CreateFailed:
      return text::kCreateFailed;
    case CompileError::NoText:
      return text::kNoText;
    case CompileError::TextTooLong:
      return text::kScreenTooLong;
    case CompileError::None:
      break;
  }
  return text::kUnknownError;
}

CompileError compileErrorFor(RelayResult result) {
  switch (result) {
    case RelayResult::Ok:
      return CompileError::None;
    case RelayResult::TextTooLong:
      return CompileError::TextTooLong;
    case RelayResult::Malformed:
    case RelayResult::TooLarge:
      break;
  }
  return CompileError::InputTooLarge;
}

const char* toString(CompileStatus status) {
  switch (status) {
    case CompileStatus::Ok:
      return "ok";
    case CompileStatus::Failed:
      return "failed";
    case CompileStatus::Cancelled:
      return "cancelled";
  }
  return "?";
}

CompileResult compileLyric(std::string_view text, LyricSyntax syntax, uint8_t fontClass,
                           LayoutCheck& check, LyrImage& image) {
  CompileResult result;
  result.fontClass = fontClass;
  if (text.size() + 1 > kCompilerInputCapacity) return failed(result, CompileError::InputTooLarge);

  ParsedLyric parsed;
  if (const CompileError error = parseLyric(text, syntax, parsed); error != CompileError::None)
    return failed(result, error);
  if (hasTwoByteText(parsed.texts)) result.fontClass = kFontClassLarge;

  layOutScreens(parsed.texts, result.fontClass, check);
  if (check.cancelled()) {
    result.status = CompileStatus::Cancelled;
    return result;
  }

  PlacedTexts placed;
  if (const CompileError error = placeTexts(parsed.texts, placed); error != CompileError::None)
    return failed(result, error);
  std::vector<TimeGroup> groups;
  if (const CompileError error = readTimeGroups(parsed, syntax, groups);
      error != CompileError::None)
    return failed(result, error);
  const std::vector<TaggedTime> tags = sortedTags(groups);
  const std::optional<size_t> size = imageSize(tags.size(), placed);
  if (!size) return failed(result, CompileError::InputTooLarge);

  writeImage(parsed.texts, placed, tags, result.fontClass, *size, image);
  result.indexCount = tags.size();
  return result;
}

std::string compilerTextFromFile(std::span<const uint8_t> bytes) {
  std::string text(bytes.begin(), bytes.end());
  const size_t size = text.size();
  const bool endsWithLf = size >= 1 && text[size - 1] == '\n';
  const bool crBeforeLast = size >= 2 && text[size - 2] == '\r';
  if (!endsWithLf && !crBeforeLast) text += "\r\n";
  return text;
}

std::string compilerCaption(std::string_view utf8) {
  if (std::optional<std::string> gbk = utf8ToGbk(utf8)) {
    size_t end = 0;
    while (end < gbk->size()) {
      const size_t width = static_cast<unsigned char>((*gbk)[end]) >= 0x80 ? 2 : 1;
      if (end + width > kCaptionBytes) break;
      end += width;
    }
    return gbkToUtf8(std::string_view(*gbk).substr(0, end));
  }
  size_t end = std::min(utf8.size(), kCaptionBytes);
  while (end > 0 && end < utf8.size() && (static_cast<unsigned char>(utf8[end]) & 0xC0) == 0x80)
    --end;
  return std::string(utf8.substr(0, end));
}

}  // namespace norva::lyr
