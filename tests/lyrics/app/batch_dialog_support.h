#pragma once
// What the batch dialogs' tests share: pickers answered from a script, and small file helpers.
#include <QString>
#include <QStringList>
#include <deque>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "lyrics/app/list_choosers.h"
#include "lyrics/file_entry_list.h"

namespace norva::lyr::app::batch_test {

// An LRC file whose timed line that wraps to eight 16-byte lines: more than the six of the small
// font.
constexpr std::string_view kTooManyLines =
    "[ti:long]\r\n[00:01.00]aaaaaaaaaaaaaaa bbbbbbbbbbbbbbb ccccccccccccccc ddddddddddddddd "
    "eeeeeeeeeeeeeee fffffffffffffff ggggggggggggggg hhhhhhhhhhhhhhh\r\n";

class ScriptedChoosers : public ListChoosers {
 public:
  QStringList chooseFiles(const desktop::FileDialogSetup& setup) override {
    filters.push_back(setup.filter);
    if (files.empty()) return {};
    QStringList next = files.front();
    files.pop_front();
    return next;
  }
  std::optional<QString> chooseFolder(const QString& title) override {
    folderTitles.push_back(title);
    return folder;
  }
  std::deque<QStringList> files;
  std::optional<QString> folder;
  std::vector<QString> filters;
  std::vector<QString> folderTitles;
};

inline void writeFile(const std::filesystem::path& path, std::string_view bytes) {
  std::filesystem::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary)
      .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline std::string readFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline QString q(const std::filesystem::path& path) {
  return QString::fromStdString(path.string());
}

inline std::vector<std::string> names(const FileEntryList& list) {
  std::vector<std::string> result;
  for (const FileEntry& entry : list.entries()) result.push_back(entry.name);
  return result;
}

}  // namespace norva::lyr::app::batch_test
