#pragma once
// The user manual as a book: its chapters are the Markdown files of one folder whose names
// start with a digit, taken in the order of their names ("01-...md", "02-...md"). From them come
// the PDF that F1 opens and the HTML help (one page a chapter and an index.html with the table of
// contents).
#include <QString>
#include <QStringList>
#include <vector>

namespace norva::manual {

struct Chapter {
  QString fileName;  // "02-timing.md"
  QString markdown;
  QString title;     // the text of its first "# " heading
  QString pageName;  // "02-timing.html"
};

// The chapters of `folder`, by file name; `error` says what was wrong when none is returned.
std::vector<Chapter> loadChapters(const QString& folder, QString& error);

// The text of the first level-one heading, or the empty string.
QString chapterTitle(const QString& markdown);

// The images a chapter refers to ("![..](name.png)"), in order, each once.
QStringList imageNames(const QString& markdown);

struct BookStyle {
  QString bookTitle;
  QString fontFamily;        // the CJK font the text is set in
  QStringList imageFolders;  // where the chapters' pictures are looked up, in order
};

// Writes the whole book as one PDF: a title page with the contents, then every chapter from
// a new page. False with `error` set when a picture is missing or the file cannot be written.
bool writePdf(const std::vector<Chapter>& chapters, const BookStyle& style, const QString& path,
              QString& error);

// Writes index.html, one page a chapter and the pictures into `folder`.
bool writeHtml(const std::vector<Chapter>& chapters, const BookStyle& style, const QString& folder,
               QString& error);

}  // namespace norva::manual
