#pragma once
// The programs' open and save dialogs, behind an interface so tests can answer them, and the
// folder they start in, which follows every confirmed choice.
#include <QString>
#include <optional>

class QFileDialog;
class QWidget;

namespace norva::desktop {

// One entry of a dialog's filter in Qt's syntax: the label, then the patterns (';'-separated
// as the programs write them) in parentheses.
QString nameFilter(const QString& label, const QString& patterns);

// What one program's dialog shows. Qt's filter syntax puts the patterns in the last
// parentheses, space-separated; ";;" separates filters.
struct FileDialogSetup {
  QString title;
  QString filter;
  QString defaultSuffix;  // added to a typed name without an extension
};

class FileDialogs {
 public:
  virtual ~FileDialogs() = default;
  // A chosen existing file, or nothing when cancelled.
  virtual std::optional<QString> chooseOpen(const FileDialogSetup& setup,
                                            const QString& startFolder) = 0;
  // A chosen name to save to, or nothing when cancelled. The dialog does not ask about
  // overwriting: the program asks its own question when it writes.
  virtual std::optional<QString> chooseSave(const FileDialogSetup& setup,
                                            const QString& startFolder) = 0;
  // The filter (0-based, in the order of `FileDialogSetup::filter`) that was selected when the
  // last dialog was confirmed; programs whose names depend on it ask right after a choice.
  virtual int selectedFilter() const { return 0; }
};

enum class DialogMode { Open, Save };

// Sets up a dialog for `mode` as the programs show it.
void configureFileDialog(QFileDialog& dialog, const FileDialogSetup& setup, DialogMode mode);

class QtFileDialogs : public FileDialogs {
 public:
  explicit QtFileDialogs(QWidget* parent) : parent_(parent) {}
  std::optional<QString> chooseOpen(const FileDialogSetup& setup,
                                    const QString& startFolder) override;
  std::optional<QString> chooseSave(const FileDialogSetup& setup,
                                    const QString& startFolder) override;
  int selectedFilter() const override { return selectedFilter_; }

 private:
  std::optional<QString> run(const FileDialogSetup& setup, DialogMode mode,
                             const QString& startFolder);

  QWidget* parent_;
  int selectedFilter_ = 0;
};

// The folder a dialog starts in: the current folder at first, then the folder of the last
// confirmed choice.
class RememberedFolder {
 public:
  QString start();
  void remember(const QString& chosenFile);
  const QString& folder() const { return folder_; }

 private:
  QString folder_;
};

}  // namespace norva::desktop
