#include "editor/sync_edits.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "lyrics/decimal.h"

namespace norva::editor {
namespace {

constexpr int64_t kTagStep = 100;

SyncEdit unchanged(std::string_view text, int syncCount, SyncEditOutcome outcome) {
  SyncEdit edit;
  edit.outcome = outcome;
  edit.text = std::string(text);
  edit.syncCountBefore = syncCount;
  edit.syncCountAfter = syncCount;
  return edit;
}

// The end of a valid time tag starting at `start` (just after its ">") and its value.
struct TimeTag {
  size_t end;
  int64_t milliseconds;
};
std::optional<TimeTag> timeTagAt(std::string_view text, size_t start) {
  if (start >= text.size() || text[start] != '<') return std::nullopt;
  int64_t value = 0;
  size_t i = start + 1;
  for (; i < text.size() && lyr::isDigit(text[i]); ++i) {
    value = value * 10 + (text[i] - '0');
    if (value > lyr::kLongMax) return std::nullopt;  // more than a tag can hold
  }
  if (i == start + 1 || i >= text.size() || text[i] != '>') return std::nullopt;
  return TimeTag{i + 1, value};
}

// The position in whole milliseconds (cut toward zero), when it is a time a tag can hold.
std::optional<int64_t> wholeMilliseconds(double positionSeconds) {
  const double ms = positionSeconds * 1000.0;
  if (!(ms >= 0.0) || ms >= static_cast<double>(lyr::kLongMax) + 1.0) return std::nullopt;
  return static_cast<int64_t>(ms);
}

}  // namespace

const char* toString(SyncEditOutcome outcome) {
  switch (outcome) {
    case SyncEditOutcome::Tagged:
      return "tagged";
    case SyncEditOutcome::Untagged:
      return "untagged";
    case SyncEditOutcome::RewoundToStart:
      return "rewound to the start";
    case SyncEditOutcome::NoTime:
      return "no time to tag";
    case SyncEditOutcome::NoParagraph:
      return "no such paragraph";
    case SyncEditOutcome::NoTagAtParagraph:
      return "no time tag at the paragraph's start";
  }
  return "?";
}

std::optional<int64_t> syncTagMilliseconds(double positionSeconds) {
  const std::optional<int64_t> ms = wholeMilliseconds(positionSeconds);
  if (!ms) return std::nullopt;
  return *ms / kTagStep * kTagStep;
}

std::optional<size_t> paragraphStart(std::string_view text, int index) {
  if (index < 0) return std::nullopt;
  size_t pos = 0;
  for (int i = 0; i < index; ++i) {
    const size_t lf = text.find('\n', pos);
    if (lf == std::string_view::npos) return std::nullopt;
    pos = lf + 1;
  }
  return pos;
}

SyncEdit syncParagraph(std::string_view text, int syncCount, double positionSeconds) {
  const std::optional<int64_t> ms = syncTagMilliseconds(positionSeconds);
  if (!ms) return unchanged(text, syncCount, SyncEditOutcome::NoTime);
  const std::optional<size_t> start = paragraphStart(text, syncCount);
  if (!start) return unchanged(text, syncCount, SyncEditOutcome::NoParagraph);
  const std::string tag = '<' + std::to_string(*ms) + '>';
  SyncEdit edit = unchanged(text, syncCount, SyncEditOutcome::Tagged);
  edit.text.insert(*start, tag);
  edit.tagStart = *start;
  edit.tagEnd = *start + tag.size();
  edit.syncCountAfter = syncCount + 1;
  return edit;
}

SyncEdit stepBack(std::string_view text, int syncCount) {
  if (syncCount < 0) return unchanged(text, syncCount, SyncEditOutcome::NoParagraph);
  if (syncCount == 0) {
    SyncEdit edit = unchanged(text, syncCount, SyncEditOutcome::RewoundToStart);
    edit.rewindSeconds = 0.0;
    return edit;
  }
  const std::optional<size_t> start = paragraphStart(text, syncCount - 1);
  if (!start) return unchanged(text, syncCount, SyncEditOutcome::NoParagraph);
  const std::optional<TimeTag> tag = timeTagAt(text, *start);
  if (!tag) return unchanged(text, syncCount, SyncEditOutcome::NoTagAtParagraph);
  SyncEdit edit = unchanged(text, syncCount, SyncEditOutcome::Untagged);
  edit.text.erase(*start, tag->end - *start);
  edit.tagStart = *start;
  edit.tagEnd = tag->end;
  edit.syncCountAfter = syncCount - 1;
  edit.rewindSeconds = static_cast<double>(tag->milliseconds) * 0.001;
  return edit;
}

int syncCountAtCursor(std::string_view text, size_t selectionStart, size_t selectionEnd) {
  const size_t at = std::min({selectionStart, selectionEnd, text.size()});
  return static_cast<int>(
      std::count(text.begin(), text.begin() + static_cast<ptrdiff_t>(at), '\n'));
}

double positionAfterStep(double positionSeconds, double stepSeconds) {
  const double moved = positionSeconds + stepSeconds;
  return moved < 0.0 ? 0.0 : moved;
}

std::optional<double> enteredPositionSeconds(int64_t milliseconds) {
  if (milliseconds < 0 || milliseconds > kMaxEnteredPositionMs) return std::nullopt;
  return static_cast<double>(milliseconds / 1000);
}

std::optional<std::string> timePaneText(double positionSeconds) {
  const std::optional<int64_t> ms = wholeMilliseconds(positionSeconds);
  if (!ms) return std::nullopt;
  char pane[48];
  std::snprintf(pane, sizeof pane, " %ld %ld00(ms) ", static_cast<long>(*ms / 1000),
                static_cast<long>(*ms % 1000 / 100));
  return std::string(pane);
}

}  // namespace norva::editor
