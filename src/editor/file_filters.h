#pragma once
// The filter lists of the editor's file dialogs and the names the dialogs' answers become.
#include <filesystem>
#include <string_view>
#include <vector>

#include "editor/lyr_font_choice.h"
#include "editor/lyric_file_type.h"

namespace norva::editor {

struct FileFilter {
  std::string_view label;    // what the dialog lists
  std::string_view pattern;  // "*.TXT" or several joined by ';'
  bool operator==(const FileFilter&) const = default;
};

// Open...: every supported kind first (its pattern leaves out .tly), then one per kind.
std::vector<FileFilter> openFilters();

// Save As: Text and Tly documents choose TEXT or TLY, Sami and Lyr documents only TLY, Lrc
// documents get no list.
std::vector<FileFilter> saveAsFilters(LyricFileType type);

// The extension the selected filter (0-based) stands for: ".txt" or ".tly"; empty for Lrc.
std::string_view saveAsExtension(LyricFileType type, size_t filterIndex);

// The file Save As writes: the chosen path with the extension appended when the chosen name
// has fewer than five characters or does not already end with that extension (any case).
std::filesystem::path saveAsTarget(const std::filesystem::path& chosen, LyricFileType type,
                                   size_t filterIndex);

// The type of the document after Save As: Sami and Lyr documents become Tly (the file written
// is timed text), others keep theirs.
LyricFileType typeAfterSaveAs(LyricFileType type);

// Open audio file: every audio kind first, then WAV, MP3, AIFF and AU.
std::vector<FileFilter> audioFilters();

// The TLY document that synchronising with `audio` makes: the audio file's folder and name with
// its extension (from the name's last ".") replaced by ".TLY"; a name without "." gets ".TLY"
// appended.
std::filesystem::path tlyPathForAudio(const std::filesystem::path& audio);

// The verify dialog's two browse buttons: the sound files, and the SAMI files.
std::vector<FileFilter> verifyAudioFilters();
std::vector<FileFilter> verifySamiFilters();

}  // namespace norva::editor
