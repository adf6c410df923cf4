#pragma once
// "MPR转换工具": one MP3 file and its lyric (LYR, or LRC compiled on the way) into the MPR file
// beside the MP3. The lyric is compiled on the dialog's thread (it may ask the layout
// question); the MP3 is read, checked and written with it on a thread of its own while the
// window stays responsive. "退出(&Q)" is disabled and closing refused while it runs.
#include <QDialog>

#include "base/prompter.h"
#include "desktop/file_dialogs.h"

class QLineEdit;
class QPushButton;

namespace norva::lyr::app {

enum class MprToolResult {
  Done,         // the MPR file was written; "转化完毕!"
  NoPaths,      // a path was empty; "请选择MP3或LYR文件!"
  OutputIsMp3,  // the MPR file would replace the MP3 itself: error 3, nothing written
  Cancelled,    // Cancel in the layout warning; "已经取消!"
  Failed,       // the converter told the user why; no success message
};
const char* toString(MprToolResult result);

class MprConvertDialog : public QDialog {
  Q_OBJECT
 public:
  MprConvertDialog(Prompter& prompter, desktop::FileDialogs& dialogs, QWidget* parent = nullptr);

  // "转换(&S)".
  MprToolResult convert();
  // "MP3路径" and "LYR路径": an open dialog filling the field when a file is chosen.
  void browseMp3();
  void browseLyric();

  QLineEdit* mp3Path() const { return mp3Path_; }
  QLineEdit* lyricPath() const { return lyricPath_; }
  QPushButton* convertButton() const { return convert_; }
  QPushButton* quitButton() const { return quit_; }
  bool converting() const { return converting_; }

 protected:
  void closeEvent(QCloseEvent* event) override;
  void reject() override;

 private:
  MprToolResult runConversion();
  void browse(QLineEdit& field, std::string_view filters);

  Prompter& prompter_;
  desktop::FileDialogs& dialogs_;
  desktop::RememberedFolder folder_;
  QLineEdit* mp3Path_ = nullptr;
  QLineEdit* lyricPath_ = nullptr;
  QPushButton* convert_ = nullptr;
  QPushButton* quit_ = nullptr;
  bool converting_ = false;
};

}  // namespace norva::lyr::app
