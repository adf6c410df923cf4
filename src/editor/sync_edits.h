#pragma once
// The synchronisation's edits of the document text, worked out without a window: Sync puts the
// playback time in front of the next paragraph as a time tag, Step back takes the last tag off
// again and says where to rewind, Sync from cursor paragraph picks the paragraph the next Sync
// tags. Every edit reports the sync count before and after, so that undoing it restores the
// count. Positions are byte offsets in the document's text (GBK, CR LF).
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace norva::editor {

enum class SyncEditOutcome {
  Tagged,            // Sync inserted a tag
  Untagged,          // Step back removed a tag and gives the time to rewind to
  RewoundToStart,    // Step back with nothing tagged: rewind to 0 s, text unchanged
  NoTime,            // the playback position is negative or not a time a tag can hold
  NoParagraph,       // the text has fewer paragraphs than the count asks for
  NoTagAtParagraph,  // the paragraph does not start with a valid time tag: nothing removed
};
const char* toString(SyncEditOutcome outcome);

struct SyncEdit {
  SyncEditOutcome outcome = SyncEditOutcome::NoParagraph;
  std::string text;     // after the edit; the text as it was when nothing changed
  size_t tagStart = 0;  // the tag inserted or removed: [tagStart, tagEnd) of the text
  size_t tagEnd = 0;    //   before removal / after insertion
  int syncCountBefore = 0;
  int syncCountAfter = 0;               // the count the window keeps; undo restores syncCountBefore
  std::optional<double> rewindSeconds;  // where Step back sets the playback position
  bool changedText() const {
    return outcome == SyncEditOutcome::Tagged || outcome == SyncEditOutcome::Untagged;
  }
};

// The tag's milliseconds for a playback position: cut toward zero to whole milliseconds,
// then down to a multiple of 100 (12.399 s gives 12300). Nothing for a negative position or
// one beyond what a tag holds (2,147,483,647 ms).
std::optional<int64_t> syncTagMilliseconds(double positionSeconds);

// Where paragraph `index` (from 0) starts: after the index-th LF. Nothing when there are fewer.
std::optional<size_t> paragraphStart(std::string_view text, int index);

// Sync: tags paragraph `syncCount` with the playback position and counts it.
SyncEdit syncParagraph(std::string_view text, int syncCount, double positionSeconds);

// Step back: with a count of 0 only rewinds to 0 s; otherwise paragraph syncCount - 1 must
// start with a valid time tag ("<", digits worth at most 2,147,483,647, ">" right after them on
// the same line), which is removed, the count lowered and its time given to rewind to. Anything
// else at that place is left alone.
SyncEdit stepBack(std::string_view text, int syncCount);

// Sync from cursor paragraph: the index of the paragraph that holds the lower end of the
// selection (positions past the end count as the end).
int syncCountAtCursor(std::string_view text, size_t selectionStart, size_t selectionEnd);

// Forward or back one second: the new position, never below 0 s.
double positionAfterStep(double positionSeconds, double stepSeconds);

// The Set play position dialog's field: 0 to 5,000,000 ms; the position it sets is whole
// seconds (12,345 ms gives 12 s). Nothing outside the range (the dialog stays open).
constexpr int64_t kMaxEnteredPositionMs = 5000000;
std::optional<double> enteredPositionSeconds(int64_t milliseconds);

// The status bar's time pane: " %ld %ld00(ms) " with the whole seconds and the tenths
// (12.345 s shows " 12 300(ms) "); nothing for a negative position.
std::optional<std::string> timePaneText(double positionSeconds);

}  // namespace norva::editor
