#include "editor/app/dialog_file_chooser.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

#include "editor/editor_messages.h"
#include "editor/save_prompt.h"

namespace norva::editor {
namespace {

QString qt(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::filesystem::path toPath(const QString& path) {
  return std::filesystem::path(path.toStdString());
}

}  // namespace

QString qtFilterList(const std::vector<FileFilter>& filters) {
  QStringList list;
  for (const FileFilter& filter : filters) {
    // A label that already ends with its one pattern in parentheses is Qt's syntax as it is.
    const QString label = qt(filter.label);
    const QString pattern = qt(filter.pattern);
    const bool complete = !pattern.contains(u';') && label.endsWith(u'(' + pattern + u')');
    list << (complete ? label : desktop::nameFilter(label, pattern));
  }
  return list.join(QStringLiteral(";;"));
}

QString DialogFileChooser::start(const FileDialogRequest& request) {
  const QString folder = folder_.start();
  if (request.initialName.empty()) return folder;
  return QDir(folder).filePath(QString::fromStdString(request.initialName.string()));
}

std::optional<ChosenFile> DialogFileChooser::confirmed(const std::optional<QString>& answer,
                                                       const FileDialogRequest& request) {
  if (!answer) return std::nullopt;
  folder_.remember(*answer);
  const int filter = dialogs_.selectedFilter();
  const size_t index = filter < 0 || static_cast<size_t>(filter) >= request.filters.size()
                           ? 0
                           : static_cast<size_t>(filter);
  return ChosenFile{toPath(*answer), index};
}

std::optional<ChosenFile> DialogFileChooser::choosePathToOpen(const FileDialogRequest& request) {
  const desktop::FileDialogSetup setup{
      qt(text::kOpenDialogTitle), qtFilterList(request.filters), {}};
  return confirmed(dialogs_.chooseOpen(setup, start(request)), request);
}

std::optional<ChosenFile> DialogFileChooser::choosePathToSave(const FileDialogRequest& request) {
  const desktop::FileDialogSetup setup{
      qt(text::kSaveDialogTitle), qtFilterList(request.filters), {}};
  for (;;) {
    const std::optional<QString> answer = dialogs_.chooseSave(setup, start(request));
    if (!answer || !QFileInfo::exists(*answer)) return confirmed(answer, request);
    if (prompter_.show(overwritePrompt(answer->toStdString())) == Answer::Yes)
      return confirmed(answer, request);
  }
}

}  // namespace norva::editor
