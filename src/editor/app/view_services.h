#pragma once
// The two dialogs of the edit view that tests must not open: the font dialog and Qt's print
// support (print, print without asking, preview, page setup). The program uses the Qt ones;
// tests give scripted ones.
#include <QFont>
#include <memory>
#include <optional>

class QPrinter;
class QTextDocument;
class QWidget;

namespace norva::editor {

class FontChooser {
 public:
  virtual ~FontChooser() = default;
  // The chosen font, started on `current`; nothing when the user cancelled.
  virtual std::optional<QFont> choose(const QFont& current, QWidget* parent) = 0;
};

class QtFontChooser : public FontChooser {
 public:
  std::optional<QFont> choose(const QFont& current, QWidget* parent) override;
};

class TextPrinter {
 public:
  virtual ~TextPrinter() = default;
  virtual void print(const QTextDocument& text, QWidget* parent) = 0;        // with the dialog
  virtual void printDirect(const QTextDocument& text, QWidget* parent) = 0;  // no dialog
  virtual void preview(const QTextDocument& text, QWidget* parent) = 0;
  virtual void pageSetup(QWidget* parent) = 0;
};

// Qt's print support; the printer and its page setup live as long as the program.
class QtTextPrinter : public TextPrinter {
 public:
  QtTextPrinter();
  ~QtTextPrinter() override;
  void print(const QTextDocument& text, QWidget* parent) override;
  void printDirect(const QTextDocument& text, QWidget* parent) override;
  void preview(const QTextDocument& text, QWidget* parent) override;
  void pageSetup(QWidget* parent) override;

 private:
  std::unique_ptr<QPrinter> printer_;
};

}  // namespace norva::editor
