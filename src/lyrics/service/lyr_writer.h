#pragma once
// CLyrWriter: writes the editor's laid-out screens as a LYR file, with the reserve fields the
// player's font loader uses, and tells the user how it went.
#include <filesystem>
#include <span>

#include "base/prompter.h"
#include "lyrics/lyr_format.h"

namespace norva::lyr {

enum class LyrWriteOutcome { Saved, TooLong, CannotWrite };
const char* toString(LyrWriteOutcome outcome);

class CLyrWriter {
 public:
  explicit CLyrWriter(Prompter& prompter) : prompter_(prompter) {}

  // Checks the size, writes the file (atomically: an old file stays on failure) and reports:
  // "文件太长!" (nothing written), "不能写文件！      " or "保存成功!".
  LyrWriteOutcome write(const std::filesystem::path& output, std::span<const TimedScreen> screens,
                        FontMode mode);

 private:
  Prompter& prompter_;
};

}  // namespace norva::lyr
