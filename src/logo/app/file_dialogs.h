#pragma once
// The open and save dialogs of the logo converter, behind an interface so tests can answer
// them. Both start in a remembered folder that follows every confirmed choice.
#include <QString>
#include <optional>

class QWidget;

namespace norva::logo {

inline constexpr const char* kOpenTitle = "LOGO编辑工具打开数据文件";
inline constexpr const char* kSaveTitle = "LOGO编辑工具保存数据文件";
// Qt's filter syntax puts the patterns in the last parentheses, space-separated.
inline constexpr const char* kOpenFilter =
    "Files(.bmp;.jpg;.gif;.ico;.lgo;.emf;.wmf;.bpp;.wbmp;.cur) "
    "(*.bmp *.jpg *.gif *.ico *.lgo *.emf *.wmf *.bpp *.wbmp *.cur);;All Files(*.*) (*)";
inline constexpr const char* kSaveFilter = "LGO Files(*.lgo) (*.lgo);;All Files(*.*) (*)";

class FileDialogs {
 public:
  virtual ~FileDialogs() = default;
  // A chosen existing file, or nothing when cancelled.
  virtual std::optional<QString> chooseOpen(const QString& startFolder) = 0;
  // A chosen name to save to (".lgo" added when no extension), or nothing when cancelled.
  virtual std::optional<QString> chooseSave(const QString& startFolder) = 0;
};

class QtFileDialogs : public FileDialogs {
 public:
  explicit QtFileDialogs(QWidget* parent) : parent_(parent) {}
  std::optional<QString> chooseOpen(const QString& startFolder) override;
  std::optional<QString> chooseSave(const QString& startFolder) override;

 private:
  QWidget* parent_;
};

}  // namespace norva::logo
