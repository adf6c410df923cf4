#pragma once
// The check of the screen layout: a wrapped screen with more lines than the player shows
// (3 in the large font, 6 in the small) raises the layout warning. One check lives for one
// conversion and keeps what the user answered: ignore all (no further checks) or cancel (no
// further questions, and the conversion makes nothing).
namespace norva::lyr {

enum class LayoutAnswer { IgnoreAll, KeepChecking, Cancel };
const char* toString(LayoutAnswer answer);

// Whoever answers the warning: the user through the programs' prompter, or a script.
class LayoutQuestion {
 public:
  virtual ~LayoutQuestion() = default;
  // Screen `screenNumber` (1-based) has too many lines for the large (`largeFont`) or the
  // small font.
  virtual LayoutAnswer ask(int screenNumber, bool largeFont) = 0;
};

class LayoutCheck {
 public:
  explicit LayoutCheck(LayoutQuestion& question) : question_(question) {}

  // Tests a wrapped screen of `lines` lines; asks unless ignore-all or cancelled is set.
  void check(int screenNumber, int lines, bool largeFont);

  bool ignoreAll() const { return ignoreAll_; }
  bool cancelled() const { return cancelled_; }

 private:
  LayoutQuestion& question_;
  bool ignoreAll_ = false;
  bool cancelled_ = false;
};

}  // namespace norva::lyr
