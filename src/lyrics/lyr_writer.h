#pragma once
// CLyrWriter: writes the editor's laid-out screens as a LYR file, with the reserve fields the
// player's font loader uses, and tells the user how it went.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <vector>

#include "base/prompter.h"
#include "lyrics/lyr_format.h"

namespace norva::lyr {

class CLyrWriter {
 public:
  // What the size check works out before anything is written.
  struct Layout {
    uint8_t fontClass = 0;
    uint16_t textEnd = 0;        // T: first byte after the last text, from the directory record
    uint16_t reserveBlocks = 0;  // header bytes 14-15
    uint16_t reserveOffset = 0;  // directory bytes 18-19
    size_t distinctCharacters = 0;
  };

  static constexpr size_t kMaxDistinctCharacters = 700;
  static constexpr size_t kMaxReserveBlocks = 56;

  explicit CLyrWriter(Prompter& prompter) : prompter_(prompter) {}

  // The size check; nothing when the file would be too long for the player.
  static std::optional<Layout> checkSize(std::span<const TimedScreen> screens, FontMode mode);
  // The file's bytes for screens that passed the check.
  static std::vector<uint8_t> build(std::span<const TimedScreen> screens, const Layout& layout);

  // Checks, writes (atomically) and reports: "文件太长!", "不能写文件！      " or "保存成功!".
  bool write(const std::filesystem::path& output, std::span<const TimedScreen> screens,
             FontMode mode);

 private:
  Prompter& prompter_;
};

}  // namespace norva::lyr
