#pragma once
// The edit view's text control: a plain text editor whose room is counted in GBK bytes as the
// document stores the text (two bytes a Chinese character, two for a line end), so typing,
// pasting and input-method text stop at the limit, and whose Line/Column pane counts the
// displayed line and the bytes before the caret on it.
#include <QPlainTextEdit>
#include <cstddef>
#include <string>

namespace norva::editor {

// What `text` takes in the document: ASCII as it is, a line end as CR LF, every other
// character as one two-byte stand-in. Limits are measured on it.
std::string gbkSizeModel(QStringView text);

class LyricEdit : public QPlainTextEdit {
  Q_OBJECT
 public:
  explicit LyricEdit(QWidget* parent = nullptr);

  size_t byteLimit() const { return byteLimit_; }
  void setByteLimit(size_t limit) { byteLimit_ = limit; }
  // The document's size of the whole text.
  size_t textBytes() const;

  // Replaces the selection with `text`, or with as much of it as fits on a character boundary
  // when `allowPart`; returns whether anything was inserted.
  bool insertLimited(const QString& text, bool allowPart);

  // The caret's line (displayed lines when wrapping) and its byte column on that line, from 0.
  int caretLine() const;
  int caretColumn() const;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void insertFromMimeData(const QMimeData* source) override;
  void inputMethodEvent(QInputMethodEvent* event) override;

 private:
  // How many characters of `text` fit in place of the selection.
  qsizetype fittingLength(const QString& text) const;

  size_t byteLimit_;
};

}  // namespace norva::editor
