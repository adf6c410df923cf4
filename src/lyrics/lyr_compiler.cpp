#include "lyrics/lyr_compiler.h"

#include <algorithm>

#include "base/byte_order.h"
#include "base/file_io.h"
#include "base/gbk_codec.h"
#include "lyrics/lrc_syntax.h"
#include "lyrics/lyric_messages.h"
#include "lyrics/relay.h"
#include "lyrics/screen_wrap.h"

namespace norva::lyr {
namespace {

// Capacities of the compiler's fixed tables.
constexpr size_t kInputCapacity = 32768;  // the text and its terminating NUL
constexpr size_t kMaxLineBytes = 257;     // a line with its CR LF
constexpr size_t kMaxTimedLines = 255;    // a time group's line number is one byte
constexpr size_t kTimeGroupBytes = 1024;  // 2 + 2 per tag, for every timed line
constexpr size_t kMaxScreenText = 199;    // a wrapped screen text
constexpr size_t kCaptionBytes = 59;

// Cuts a caption to 59 bytes of the code page the boxes are drawn in, keeping characters whole.
std::string cutCaption(std::string_view utf8) {
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

// Cuts the input into lines and collects the screen texts. Returns 0 or an error number.
int parseLyric(std::string_view text, bool timedText, ParsedLyric& out) {
  bool firstLine = true;
  bool currentIsTimed = false;  // false while only plain lines before the first timed line
  LineReader reader(text);
  InputLine line;
  while (reader.next(line)) {
    if (line.rawLength > kMaxLineBytes) return kTextTooLong;
    const std::string_view content = line.text;
    if (content.empty() || content == "\r") continue;  // empty lines, or only a CR
    if (timedText) {
      if (!isTimedTextLine(content)) continue;
      if (out.timedLines.size() == kMaxTimedLines) return kInputTooLarge;
      const std::string_view lyric = timedTextLyric(content);
      out.texts.emplace_back(lyric.empty() ? std::string_view(" ") : lyric);
      out.timedLines.push_back(content);
      continue;
    }
    if (isLrcTimedLine(content)) {
      if (out.timedLines.size() == kMaxTimedLines) return kInputTooLarge;
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
  return kNoError;
}

// One time group per timed line. Returns 0, or error 2 when the groups outgrow their table.
int readTimeGroups(const ParsedLyric& parsed, bool timedText, std::vector<TimeGroup>& groups) {
  groups.assign(parsed.timedLines.size(), TimeGroup{});
  size_t groupBytes = 0;
  for (size_t k = 0; k < parsed.timedLines.size(); ++k) {
    const std::string_view timed = parsed.timedLines[k];
    TimeGroup& group = groups[k];
    group.textIndex = k;
    if (timedText) {
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
    if (groupBytes > kTimeGroupBytes) return kInputTooLarge;
  }
  return kNoError;
}

// Every tag ascending by time. Among equal times the tags stand in reverse reading order, except
// the last tag of the first timed line (where the selection of the original ordering starts), which
// stands after them.
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

}  // namespace

std::string compileErrorText(int error) {
  switch (error) {
    case kLoadFailed:
      return std::string(text::kLoadFailed);
    case kInputTooLarge:
      return std::string(text::kLrcTooLarge);
    case kCreateFailed:
      return std::string(text::kCreateFailed);
    case kNoText:
      return std::string(text::kNoText);
    case kTextTooLong:
      return std::string(text::kScreenTooLong);
    default:
      return std::string(text::kUnknownError);
  }
}

void showCompileError(Prompter& prompter, int error) {
  prompter.show({compileErrorText(error), std::string(text::kCompileErrorCaption),
                 MessageIcon::None, MessageButtons::Ok});
}

CLyrCompiler::CLyrCompiler(Prompter& prompter)
    : prompter_(prompter), warning_(prompter, LayoutWarning::Path::Compiler) {}

void CLyrCompiler::setCaption(std::string_view utf8Caption) {
  warning_.setCaption(cutCaption(utf8Caption));
}

void CLyrCompiler::setFontMode(FontMode mode) {
  fontClass_ = mode == FontMode::Large ? kFontClassLarge : kFontClassSmall;
}

CompileStatus CLyrCompiler::fail(int error) {
  error_ = error;
  showCompileError(prompter_, error);
  return CompileStatus::Failed;
}

CompileStatus CLyrCompiler::compileLrcFile(const std::filesystem::path& path) {
  return compileFile(path, Syntax::Lrc);
}

CompileStatus CLyrCompiler::compileTimedTextFile(const std::filesystem::path& path) {
  return compileFile(path, Syntax::TimedText);
}

CompileStatus CLyrCompiler::compileLrcText(std::string_view gbkText) {
  return compile(gbkText, Syntax::Lrc);
}

CompileStatus CLyrCompiler::compileTimedText(std::string_view gbkText) {
  return compile(gbkText, Syntax::TimedText);
}

CompileStatus CLyrCompiler::compileFile(const std::filesystem::path& path, Syntax syntax) {
  ReadResult file = readWholeFile(path, kInputCapacity);
  if (file.status == ReadResult::Status::CannotOpen) return fail(kLoadFailed);
  if (file.status == ReadResult::Status::TooLarge) return fail(kInputTooLarge);
  std::string text(file.bytes.begin(), file.bytes.end());
  const size_t size = text.size();
  const bool endsWithLf = size >= 1 && text[size - 1] == '\n';
  const bool crBeforeLast = size >= 2 && text[size - 2] == '\r';
  if (!endsWithLf && !crBeforeLast) text += "\r\n";
  return compile(text, syntax);
}

CompileStatus CLyrCompiler::compile(std::string_view text, Syntax syntax) {
  error_ = kNoError;
  indexCount_ = 0;
  if (text.size() + 1 > kInputCapacity) return fail(kInputTooLarge);

  ParsedLyric parsed;
  if (const int error = parseLyric(text, syntax == Syntax::TimedText, parsed); error != kNoError)
    return fail(error);
  std::vector<std::string>& texts = parsed.texts;
  for (const auto& t : texts) {
    if (std::any_of(t.begin(), t.end(),
                    [](char c) { return static_cast<unsigned char>(c) > 0x80; })) {
      fontClass_ = kFontClassLarge;
      break;
    }
  }

  // Layout: after Cancel the remaining screens are laid out without asking, then nothing is made.
  for (size_t i = 0; i < texts.size(); ++i) {
    WrappedScreen wrapped = wrapScreenText(texts[i]);
    warning_.check(static_cast<int>(i) + 1, wrapped.lines, fontClass_ == kFontClassLarge);
    texts[i] = std::move(wrapped.text);
  }
  if (warning_.cancelled()) return CompileStatus::Cancelled;

  // Text offsets.
  if (texts.empty()) return fail(kNoText);
  std::vector<size_t> textOffsets(texts.size());
  size_t textAreaSize = 0;
  for (size_t i = 0; i < texts.size(); ++i) {
    if (texts[i].size() > kMaxScreenText) return fail(kTextTooLong);
    textOffsets[i] = textAreaSize;
    textAreaSize += texts[i].size() + 1;
  }

  std::vector<TimeGroup> groups;
  if (const int error = readTimeGroups(parsed, syntax == Syntax::TimedText, groups);
      error != kNoError)
    return fail(error);
  const std::vector<TaggedTime> tags = sortedTags(groups);
  const size_t n = tags.size();

  // Header and size.
  const size_t textStart = kDirectorySize + kIndexEntrySize * n;
  const size_t size = roundUpToBlock(kHeaderSize + textStart + textAreaSize);
  if (size > kMaxImageSize) return fail(kInputTooLarge);
  std::fill(image_.bytes.begin(), image_.bytes.end(), uint8_t{0});
  std::span<uint8_t> bytes(image_.bytes);
  writeHeaderBlock(bytes, fontClass_, 0);
  std::span<uint8_t> body = bytes.subspan(kHeaderSize);
  body[kDirFontClassOffset] = fontClass_;
  writeBe16(body, kDirTextEndOffset, static_cast<uint16_t>(textStart + textAreaSize));
  writeBe16(body, kDirScreenCountOffset, static_cast<uint16_t>(n));
  for (size_t i = 0; i < n; ++i) {
    const size_t entry = kDirectorySize + kIndexEntrySize * i;
    writeBe16(body, entry, tags[i].time);
    writeBe16(body, entry + 2, static_cast<uint16_t>(textStart + textOffsets[tags[i].textIndex]));
  }
  for (size_t i = 0; i < texts.size(); ++i)
    std::copy(texts[i].begin(), texts[i].end(),
              body.begin() + static_cast<ptrdiff_t>(textStart + textOffsets[i]));
  image_.size = size;
  indexCount_ = n;
  return CompileStatus::Ok;
}

bool CLyrCompiler::relayImage() {
  switch (relay(image_)) {
    case RelayResult::Ok:
      return true;
    case RelayResult::TextTooLong:
      fail(kTextTooLong);
      return false;
    default:
      fail(kInputTooLarge);
      return false;
  }
}

int CLyrCompiler::compileLrcFileToLyrFile(const std::filesystem::path& input,
                                          const std::filesystem::path& output) {
  const CompileStatus status = compileLrcFile(input);
  if (status == CompileStatus::Cancelled) return -1;
  if (status == CompileStatus::Failed) return error_;
  if (!relayImage()) return error_;
  if (!writeFileAtomically(output, std::span<const uint8_t>(image_.bytes.data(), image_.size))
           .empty()) {
    error_ = kCreateFailed;
    return kCreateFailed;
  }
  return kNoError;
}

CompileStatus CLyrCompiler::compileLrcTextToLyrFile(std::string_view gbkText,
                                                    const std::filesystem::path& output,
                                                    FontMode mode) {
  setFontMode(mode);
  const CompileStatus status = compileLrcText(gbkText);
  if (status != CompileStatus::Ok) return status;
  if (indexCount_ >= 256)
    prompter_.show({std::string(text::kTooManyScreens), std::string(text::kTooManyScreensCaption),
                    MessageIcon::None, MessageButtons::Ok});
  if (!relayImage()) return CompileStatus::Failed;
  if (!writeFileAtomically(output, std::span<const uint8_t>(image_.bytes.data(), image_.size))
           .empty())
    return fail(kCreateFailed);
  prompter_.show({std::string(text::kConverted), std::string(text::kLrcConverterCaption),
                  MessageIcon::None, MessageButtons::Ok});
  return CompileStatus::Ok;
}

}  // namespace norva::lyr
