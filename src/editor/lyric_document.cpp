#include "editor/lyric_document.h"

#include "editor/editor_messages.h"

namespace norva::editor {

void LyricDocument::edit(std::string gbkText) {
  text_ = std::move(gbkText);
  modified_ = true;
}

std::string LyricDocument::title() const {
  return untitled_ ? std::string(text::kUntitled) : fileName_;
}

std::string LyricDocument::windowTitle() const {
  return title() + " - " + std::string(text::kFrameTitle);
}

void LyricDocument::resetToNew() {
  text_.clear();
  modified_ = false;
  untitled_ = true;
  type_ = LyricFileType::Text;
  fileName_.clear();
  path_.clear();
  lyrFont_.reset();
  syncCount_ = 0;
}

void LyricDocument::adoptOpenedFile(const std::filesystem::path& path, LyricFileType type,
                                    std::string gbkText, std::optional<LyrFontChoice> lyrFont) {
  becomeFile(path, type, std::move(gbkText));
  lyrFont_ = lyrFont;
  syncCount_ = 0;
}

void LyricDocument::adoptSavedAs(const std::filesystem::path& path, LyricFileType type,
                                 std::string gbkText) {
  becomeFile(path, type, std::move(gbkText));
  if (type_ != LyricFileType::Lyr) lyrFont_.reset();
}

void LyricDocument::adoptAudioName(const std::filesystem::path& path) {
  becomeFile(path, LyricFileType::Tly, std::move(text_));
  lyrFont_.reset();
  modified_ = true;
  syncCount_ = 0;
}

void LyricDocument::becomeFile(const std::filesystem::path& path, LyricFileType type,
                               std::string gbkText) {
  text_ = std::move(gbkText);
  modified_ = false;
  untitled_ = false;
  type_ = type;
  fileName_ = path.filename().string();
  path_ = path;
}

}  // namespace norva::editor
