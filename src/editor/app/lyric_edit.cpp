#include "editor/app/lyric_edit.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextLayout>

#include "editor/edit_rules.h"

namespace norva::editor {
namespace {

// Any two-byte GBK character: only the byte count of the model matters.
constexpr char kTwoByteStandIn[] = "\xB0\xA1";

bool isLineEnd(QChar c) {
  return c == u'\n' || c == QChar::ParagraphSeparator || c == QChar::LineSeparator;
}

size_t modelBytes(QChar c, QChar next) {
  if (isLineEnd(c)) return 2;
  if (c.unicode() < 0x80) return 1;
  if (c.isHighSurrogate() && next.isLowSurrogate()) return 0;  // the pair counts once, below
  return 2;
}

}  // namespace

std::string gbkSizeModel(QStringView text) {
  std::string model;
  model.reserve(static_cast<size_t>(text.size()) * 2);
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QChar c = text[i];
    const QChar next = i + 1 < text.size() ? text[i + 1] : QChar();
    switch (modelBytes(c, next)) {
      case 0:
        break;
      case 1:
        model += static_cast<char>(c.unicode());
        break;
      default:
        model += isLineEnd(c) ? "\r\n" : kTwoByteStandIn;
        break;
    }
  }
  return model;
}

LyricEdit::LyricEdit(QWidget* parent) : QPlainTextEdit(parent), byteLimit_(kInitialTextLimit) {
  setLineWrapMode(QPlainTextEdit::NoWrap);
}

size_t LyricEdit::textBytes() const {
  return gbkSizeModel(toPlainText()).size();
}

qsizetype LyricEdit::fittingLength(const QString& text) const {
  const std::string inserted = gbkSizeModel(text);
  const size_t replaced = gbkSizeModel(textCursor().selectedText()).size();
  const size_t fitting = fittingInsertBytes(textBytes(), replaced, inserted, byteLimit_);
  if (fitting >= inserted.size()) return text.size();
  // Walk the characters until their model reaches the fitting bytes; a line end cut between
  // its CR and LF does not fit.
  size_t bytes = 0;
  qsizetype length = 0;
  while (length < text.size()) {
    const QChar next = length + 1 < text.size() ? text[length + 1] : QChar();
    const bool pair = text[length].isHighSurrogate() && next.isLowSurrogate();
    const size_t cost = pair ? 2 : modelBytes(text[length], next);
    if (bytes + cost > fitting) break;
    bytes += cost;
    length += pair ? 2 : 1;
  }
  return length;
}

bool LyricEdit::insertLimited(const QString& text, bool allowPart) {
  const qsizetype length = fittingLength(text);
  if (length == 0 || (!allowPart && length < text.size())) {
    QApplication::beep();
    return false;
  }
  QTextCursor cursor = textCursor();
  cursor.insertText(text.left(length));
  setTextCursor(cursor);
  ensureCursorVisible();
  return true;
}

void LyricEdit::keyPressEvent(QKeyEvent* event) {
  const bool lineEnd = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
  const QString typed = lineEnd ? QStringLiteral("\n") : event->text();
  const bool inserts = !isReadOnly() && !typed.isEmpty() &&
                       (lineEnd || typed == QStringLiteral("\t") || typed.front().isPrint()) &&
                       !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
  if (inserts && fittingLength(typed) < typed.size()) {
    QApplication::beep();
    event->accept();
    return;
  }
  QPlainTextEdit::keyPressEvent(event);
}

void LyricEdit::insertFromMimeData(const QMimeData* source) {
  if (source != nullptr && source->hasText()) insertLimited(source->text(), true);
}

void LyricEdit::inputMethodEvent(QInputMethodEvent* event) {
  const QString commit = event->commitString();
  const qsizetype fits = commit.isEmpty() ? 0 : fittingLength(commit);
  if (fits < commit.size()) {
    QInputMethodEvent trimmed(event->preeditString(), event->attributes());
    trimmed.setCommitString(commit.left(fits), event->replacementStart(),
                            event->replacementLength());
    QPlainTextEdit::inputMethodEvent(&trimmed);
    return;
  }
  QPlainTextEdit::inputMethodEvent(event);
}

int LyricEdit::caretLine() const {
  const QTextCursor cursor = textCursor();
  const QTextBlock caretBlock = cursor.block();
  int line = 0;
  for (QTextBlock block = document()->firstBlock(); block.isValid() && block != caretBlock;
       block = block.next())
    line += std::max(1, block.layout() != nullptr ? block.layout()->lineCount() : 1);
  if (const QTextLayout* layout = caretBlock.layout(); layout != nullptr && layout->lineCount() > 0)
    line += std::max(0, layout->lineForTextPosition(cursor.positionInBlock()).lineNumber());
  return line;
}

int LyricEdit::caretColumn() const {
  const QTextCursor cursor = textCursor();
  const QTextBlock block = cursor.block();
  int lineStart = 0;
  if (const QTextLayout* layout = block.layout(); layout != nullptr && layout->lineCount() > 0) {
    const QTextLine line = layout->lineForTextPosition(cursor.positionInBlock());
    if (line.isValid()) lineStart = line.textStart();
  }
  const QString text = block.text().mid(lineStart, cursor.positionInBlock() - lineStart);
  return static_cast<int>(gbkSizeModel(text).size());
}

}  // namespace norva::editor
