#pragma once
// The layout warning as the user sees it: a Yes/No/Cancel box with the warning icon. Yes
// ignores all further checks of the conversion, No goes on checking, Cancel stops it. The
// editor and the compiler word it slightly differently and the compiler may carry its own
// caption (the batch converters pass the current file name).
#include <string>

#include "base/prompter.h"
#include "lyrics/layout_check.h"

namespace norva::lyr {

class LayoutWarning : public LayoutQuestion {
 public:
  enum class Path { Editor, Compiler };

  // `caption` is used on the compiler path when not empty; the editor's caption otherwise.
  LayoutWarning(Prompter& prompter, Path path, std::string caption = {})
      : prompter_(prompter), path_(path), caption_(std::move(caption)) {}

  void setCaption(std::string caption) { caption_ = std::move(caption); }

  LayoutAnswer ask(int screenNumber, bool largeFont) override;

  // The box shown for screen `screenNumber`.
  Message message(int screenNumber, bool largeFont) const;

 private:
  Prompter& prompter_;
  Path path_;
  std::string caption_;
};

}  // namespace norva::lyr
