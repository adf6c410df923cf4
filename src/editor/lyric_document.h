#pragma once
// The editor's one document: its GBK text, where it came from and whether it has unsaved
// edits. Plain state and the rules for how it changes on New, open and save; the file work
// itself is done by the editor session.
#include <filesystem>
#include <optional>
#include <string>

#include "editor/lyr_font_choice.h"
#include "editor/lyric_file_type.h"

namespace norva::editor {

// The display font of the edit view. Only the display: it is not stored and has no influence
// on the font a lyric is compiled for.
struct DisplayFont {
  std::string family;  // empty: the system's fixed-pitch font
  int pointSize = 0;
  bool operator==(const DisplayFont&) const = default;
};

class LyricDocument {
 public:
  // GBK bytes with CR LF line ends.
  const std::string& text() const { return text_; }
  // An edit: the new text, and the document is modified.
  void edit(std::string gbkText);

  bool modified() const { return modified_; }
  void setModified(bool modified) { modified_ = modified; }

  // True after start-up and New, until the document has a file; Save then acts as Save As.
  bool untitled() const { return untitled_; }
  LyricFileType type() const { return type_; }
  // The file's name with its extension, no folder; empty while untitled.
  const std::string& fileName() const { return fileName_; }
  const std::filesystem::path& path() const { return path_; }

  // "Untitled" after New, otherwise the file name.
  std::string title() const;
  // What the main window's caption shows: the title, a dash and the program's title.
  std::string windowTitle() const;

  // The font of the LYR file this document was opened from (its header's font class); Save
  // compiles a Lyr document with it.
  std::optional<LyrFontChoice> lyrFont() const { return lyrFont_; }

  // Paragraphs already tagged by the synchronisation; 0 after every open.
  int syncCount() const { return syncCount_; }
  void setSyncCount(int count) { syncCount_ = count; }

  const DisplayFont& displayFont() const { return displayFont_; }
  void setDisplayFont(DisplayFont font) { displayFont_ = std::move(font); }

  // New: an empty, untitled, unmodified Text document.
  void resetToNew();
  // A file was opened: its text (already in editor form), name, path and type; not modified.
  void adoptOpenedFile(const std::filesystem::path& path, LyricFileType type, std::string gbkText,
                       std::optional<LyrFontChoice> lyrFont = std::nullopt);
  // Save wrote the document's file: not modified any more.
  void markSaved() { modified_ = false; }
  // Save As wrote `gbkText` to `path`; the document now is that file, of type `type`.
  void adoptSavedAs(const std::filesystem::path& path, LyricFileType type, std::string gbkText);
  // Audio was opened to synchronise the text: the document becomes the unsaved Tly file `path`
  // (named after the audio) with the same text, modified, nothing tagged yet.
  void adoptAudioName(const std::filesystem::path& path);

 private:
  // The document is the file at `path` holding `gbkText`, unmodified.
  void becomeFile(const std::filesystem::path& path, LyricFileType type, std::string gbkText);

  std::string text_;
  bool modified_ = false;
  bool untitled_ = true;
  LyricFileType type_ = LyricFileType::Text;
  std::string fileName_;
  std::filesystem::path path_;
  std::optional<LyrFontChoice> lyrFont_;
  int syncCount_ = 0;
  DisplayFont displayFont_;
};

}  // namespace norva::editor
