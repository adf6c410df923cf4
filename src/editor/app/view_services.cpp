#include "editor/app/view_services.h"

#include <QFontDialog>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QTextDocument>

#include "editor/editor_messages.h"

namespace norva::editor {

std::optional<QFont> QtFontChooser::choose(const QFont& current, QWidget* parent) {
  bool ok = false;
  const QFont font =
      QFontDialog::getFont(&ok, current, parent, QString(), QFontDialog::DontUseNativeDialog);
  if (!ok) return std::nullopt;
  return font;
}

QtTextPrinter::QtTextPrinter() : printer_(std::make_unique<QPrinter>()) {}

QtTextPrinter::~QtTextPrinter() = default;

void QtTextPrinter::print(const QTextDocument& text, QWidget* parent) {
  QPrintDialog dialog(printer_.get(), parent);
  if (dialog.exec() == QDialog::Accepted) text.print(printer_.get());
}

void QtTextPrinter::printDirect(const QTextDocument& text, QWidget*) {
  text.print(printer_.get());
}

void QtTextPrinter::preview(const QTextDocument& text, QWidget* parent) {
  QPrintPreviewDialog dialog(printer_.get(), parent);
  QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested,
                   [&text](QPrinter* printer) { text.print(printer); });
  dialog.exec();
}

void QtTextPrinter::pageSetup(QWidget* parent) {
  QPageSetupDialog dialog(printer_.get(), parent);
  dialog.exec();
}

}  // namespace norva::editor
