#pragma once
// The warning of the screen layout: a screen with more lines than the player shows. One object
// lives for one conversion and keeps its ignore-all (Yes) and cancelled (Cancel) state.
#include <string>
#include <string_view>

#include "base/prompter.h"

namespace norva::lyr {

class LayoutWarning {
 public:
  enum class Path { Editor, Compiler };

  // `caption` is used on the compiler path when not empty; the editor's caption otherwise.
  LayoutWarning(Prompter& prompter, Path path, std::string caption = {})
      : prompter_(prompter), path_(path), caption_(std::move(caption)) {}

  void setCaption(std::string caption) { caption_ = std::move(caption); }

  // Tests a wrapped screen of `lines` lines; `largeFont` is the Large font (editor) or font
  // class 1 (compiler). Shows the question unless ignore-all or cancelled is set.
  void check(int screenNumber, int lines, bool largeFont);

  bool ignoreAll() const { return ignoreAll_; }
  bool cancelled() const { return cancelled_; }

 private:
  Prompter& prompter_;
  Path path_;
  std::string caption_;
  bool ignoreAll_ = false;
  bool cancelled_ = false;
};

}  // namespace norva::lyr
