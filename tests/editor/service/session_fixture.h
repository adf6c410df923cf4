#pragma once
// An editor session in a temporary folder with a scripted prompter and file chooser.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>

#include "base/service/file_io.h"
#include "base/gbk_codec.h"
#include "base/recording_prompter.h"
#include "editor/service/editor_session.h"
#include "editor/service/scripted_file_chooser.h"
#include "test_support/temp_dir.h"

namespace norva::editor {

inline const std::filesystem::path kLyricSamples =
    std::filesystem::path(NORVA_TEST_DATA_DIR) / "lyrics";

inline std::string gbk(std::string_view utf8) {
  return *utf8ToGbk(utf8);
}

// What a document is, for "unchanged" checks against a snapshot taken before a command.
struct DocumentSnapshot {
  std::string text;
  bool modified;
  bool untitled;
  LyricFileType type;
  std::string fileName;
  std::filesystem::path path;
  std::optional<LyrFontChoice> lyrFont;
  bool operator==(const DocumentSnapshot&) const = default;
};

inline DocumentSnapshot snapshot(const LyricDocument& d) {
  return {d.text(), d.modified(), d.untitled(), d.type(), d.fileName(), d.path(), d.lyrFont()};
}

inline std::ostream& operator<<(std::ostream& out, const DocumentSnapshot& s) {
  return out << "{" << toString(s.type) << " " << s.path << " modified=" << s.modified
             << " untitled=" << s.untitled << " text=" << s.text.size() << " bytes}";
}

}  // namespace norva::editor

namespace norva {
inline void PrintTo(const Message& m, std::ostream* out) {
  *out << "{\"" << m.text << "\", \"" << m.caption << "\", " << toString(m.icon) << ", "
       << toString(m.buttons) << "}";
}
}  // namespace norva

namespace norva::editor {

// A LYR file put together byte by byte: the 512-byte header block (512 big-endian, "Norva 398"
// with its NUL, the marker, the font class), the 24-byte directory record with the screen count
// at 22, the index of (time, text offset) pairs and the NUL-terminated texts; offsets count from
// the directory record.
inline std::vector<uint8_t> handMadeLyr(
    const std::vector<std::pair<uint16_t, std::string>>& screens, uint8_t fontClass = 1,
    uint8_t marker = 0x10) {
  std::vector<uint8_t> file(512, 0);
  file[0] = 0x02;
  std::memcpy(&file[2], "Norva 398", 10);
  file[12] = marker;
  file[13] = fontClass;
  std::vector<uint8_t> data(24, 0);
  data[22] = static_cast<uint8_t>(screens.size() >> 8);
  data[23] = static_cast<uint8_t>(screens.size());
  size_t textAt = 24 + 4 * screens.size();
  std::vector<uint8_t> texts;
  for (const auto& [time, text] : screens) {
    const size_t offset = textAt + texts.size();
    data.insert(data.end(), {static_cast<uint8_t>(time >> 8), static_cast<uint8_t>(time),
                             static_cast<uint8_t>(offset >> 8), static_cast<uint8_t>(offset)});
    texts.insert(texts.end(), text.begin(), text.end());
    texts.push_back(0);
  }
  data.insert(data.end(), texts.begin(), texts.end());
  data.resize((data.size() + 511) / 512 * 512, 0);
  file.insert(file.end(), data.begin(), data.end());
  return file;
}

class SessionTest : public ::testing::Test {
 protected:
  std::filesystem::path put(const std::string& name, std::string_view bytes) {
    const std::filesystem::path path = dir_.path() / name;
    std::ofstream(path, std::ios::binary)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return path;
  }
  std::filesystem::path put(const std::string& name, const std::vector<uint8_t>& bytes) {
    return put(name, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
  }
  static std::string contents(const std::filesystem::path& path) {
    const ReadResult file = readWholeFile(path);
    return std::string(file.bytes.begin(), file.bytes.end());
  }
  std::filesystem::path at(const std::string& name) const { return dir_.path() / name; }

  // Opens a file through the dialog with the given filter.
  CommandOutcome openThroughDialog(const std::filesystem::path& path) {
    chooser_.push(ChosenFile{path, 0});
    return session_.openWithDialog();
  }

  TempDir dir_;
  RecordingPrompter prompter_;
  ScriptedFileChooser chooser_;
  EditorSession session_{prompter_, chooser_};
};

}  // namespace norva::editor
