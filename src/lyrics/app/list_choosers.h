#pragma once
// What the batch dialogs ask the desktop for besides messages: several existing files at once
// and a folder. Behind an interface so tests can answer; the Qt form shows the real pickers.
#include <QString>
#include <QStringList>
#include <optional>
#include <string_view>

#include "desktop/file_dialogs.h"

class QWidget;

namespace norva::lyr::app {

// UTF-8 text as Qt's.
QString qt(std::string_view text);

// Filters written as "label|pattern|label|pattern" (patterns ';'-separated) in Qt's syntax.
QString qtFilters(std::string_view labelsAndPatterns);

// A chosen folder as the lists keep it: a symbolic link (the desktop's shortcut) stands for its
// target, and the result ends in '/'.
QString chosenFolder(const QString& path);

class ListChoosers {
 public:
  virtual ~ListChoosers() = default;
  // Existing files chosen together; empty when cancelled.
  virtual QStringList chooseFiles(const desktop::FileDialogSetup& setup) = 0;
  // A folder of the file system; nothing when cancelled.
  virtual std::optional<QString> chooseFolder(const QString& title) = 0;
};

class QtListChoosers : public ListChoosers {
 public:
  explicit QtListChoosers(QWidget* parent) : parent_(parent) {}
  QStringList chooseFiles(const desktop::FileDialogSetup& setup) override;
  std::optional<QString> chooseFolder(const QString& title) override;

 private:
  QWidget* parent_;
  desktop::RememberedFolder folder_;
};

}  // namespace norva::lyr::app
