#pragma once
// The player font a compiled lyric is laid out for: Small (8 x 8 rows, six lines a screen) or
// Large (16-pixel rows, three lines a screen). The numbers are the editor's font values.
namespace norva::editor {

enum class LyrFontChoice { Small = 0, Large = 1 };

inline const char* toString(LyrFontChoice font) {
  return font == LyrFontChoice::Small ? "Small" : "Large";
}

}  // namespace norva::editor
