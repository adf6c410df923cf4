#include "manual_book.h"

#include "base/service/file_io.h"

#include <QAbstractTextDocumentLayout>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFontInfo>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFragment>
#include <QTextFrame>
#include <QTextImageFormat>
#include <QTextTable>
#include <QUrl>
#include <memory>

namespace norva::manual {
namespace {

// Pictures wider than this (in pixels at the screen's 96 dpi) are scaled down to it, so a
// screenshot fits between the margins of an A4 page.
constexpr double kWidestPicture = 560.0;

QString findImage(const QStringList& folders, const QString& name) {
  for (const QString& folder : folders) {
    const QString path = QDir(folder).filePath(name);
    if (QFileInfo::exists(path)) return path;
  }
  return {};
}

// Loads every picture the text refers to into the document, scaled to the page.
bool addPictures(QTextDocument& doc, const QString& markdown, const QStringList& folders,
                 QString& error) {
  for (const QString& name : imageNames(markdown)) {
    const QString path = findImage(folders, name);
    QImage image(path);
    if (path.isEmpty() || image.isNull()) {
      error = QStringLiteral("picture %1 not found in %2").arg(name, folders.join(", "));
      return false;
    }
    doc.addResource(QTextDocument::ImageResource, QUrl(name), image);
  }
  return true;
}

// Tables span the text width, so that long cells wrap inside the page instead of running
// over its edge.
void fitTables(QTextDocument& doc) {
  for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
    QTextTable* table = QTextCursor(block).currentTable();
    if (table == nullptr || table->cellAt(block.position()).row() != 0 ||
        table->cellAt(block.position()).column() != 0)
      continue;
    QTextTableFormat format = table->format();
    format.setWidth(QTextLength(QTextLength::PercentageLength, 100));
    format.setCellPadding(3);
    format.setCellSpacing(0);
    format.setBorderCollapse(true);
    table->setFormat(format);
  }
}

// Fixed-pitch text (commands, file names) keeps the monospace font for Latin letters and
// takes the CJK font for the rest; pictures are held to the page's width.
void styleFragments(QTextDocument& doc, const QString& fontFamily) {
  // The system's fixed font is an alias ("monospace"); in a list of families Qt takes only
  // real family names, so the alias is resolved first.
  const QString mono = QFontInfo(QFontDatabase::systemFont(QFontDatabase::FixedFont)).family();
  for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
    for (auto it = block.begin(); !it.atEnd(); ++it) {
      const QTextFragment fragment = it.fragment();
      QTextCharFormat format = fragment.charFormat();
      bool changed = false;
      if (format.isImageFormat()) {
        QTextImageFormat image = format.toImageFormat();
        const QVariant resource = doc.resource(QTextDocument::ImageResource, QUrl(image.name()));
        const QImage picture = resource.value<QImage>();
        if (!picture.isNull() && picture.width() > kWidestPicture) {
          image.setWidth(kWidestPicture);
          image.setHeight(kWidestPicture * picture.height() / picture.width());
          format = image;
          changed = true;
        }
      } else if (format.fontFixedPitch() || format.fontStyleHint() == QFont::Monospace) {
        format.setFontFamilies(QStringList{mono, fontFamily});
        changed = true;
      }
      if (changed) {
        QTextCursor cursor(&doc);
        cursor.setPosition(fragment.position());
        cursor.setPosition(fragment.position() + fragment.length(), QTextCursor::KeepAnchor);
        cursor.setCharFormat(format);
      }
    }
  }
}

// The title page: the book's title and the contents, with the page each chapter starts on
// when `pages` has one for it.
QString frontMatter(const std::vector<Chapter>& chapters, const QString& bookTitle,
                    const std::vector<int>& pages) {
  QString text = QStringLiteral("# %1\n\n**目录**\n\n").arg(bookTitle);
  for (size_t i = 0; i < chapters.size(); ++i) {
    text += QStringLiteral("%1. %2").arg(i + 1).arg(chapters[i].title);
    if (i < pages.size()) text += QStringLiteral(" …… %1").arg(pages[i]);
    text += '\n';
  }
  return text + "\n";
}

// The whole book in one document: the title page, then every chapter from a new page.
bool buildBook(QTextDocument& doc, const std::vector<Chapter>& chapters, const BookStyle& style,
               const std::vector<int>& pages, QString& error) {
  QString markdown = frontMatter(chapters, style.bookTitle, pages);
  for (const Chapter& chapter : chapters) markdown += chapter.markdown + QStringLiteral("\n\n");
  doc.setDefaultFont(QFont(style.fontFamily, 10));
  doc.setMarkdown(markdown);  // clears the document's resources: the pictures come after
  if (!addPictures(doc, markdown, style.imageFolders, error)) return false;
  styleFragments(doc, style.fontFamily);
  fitTables(doc);
  bool first = true;
  for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
    if (block.blockFormat().headingLevel() != 1) continue;
    if (first) {
      first = false;
      continue;
    }
    QTextCursor cursor(block);
    QTextBlockFormat format = block.blockFormat();
    format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
    cursor.setBlockFormat(format);
  }
  return true;
}

// The pages (from 1) on which the chapters start when `doc` is printed on `device`. The
// layout is the one QTextDocument::print() makes of its copy of a document without a page
// size: the device's whole page, with margins of 2 cm at 96 dpi, which the layout scales.
std::vector<int> chapterPages(const QTextDocument& doc, QPagedPaintDevice& device) {
  constexpr double kSourceDpi = 96.0;
  constexpr double kCentimetresPerInch = 2.54;
  const std::unique_ptr<QTextDocument> copy(doc.clone());
  copy->documentLayout()->setPaintDevice(&device);
  const int margin = static_cast<int>((2 / kCentimetresPerInch) * kSourceDpi);
  QTextFrameFormat frame = copy->rootFrame()->frameFormat();
  frame.setLeftMargin(margin);
  frame.setRightMargin(margin);
  frame.setTopMargin(margin);
  frame.setBottomMargin(margin);
  copy->rootFrame()->setFrameFormat(frame);
  copy->setPageSize(QSizeF(device.width(), device.height()));
  std::vector<int> pages;
  bool title = true;  // the first level-one heading is the book's title
  for (QTextBlock block = copy->begin(); block.isValid(); block = block.next()) {
    if (block.blockFormat().headingLevel() != 1) continue;
    if (title) {
      title = false;
      continue;
    }
    const double top = copy->documentLayout()->blockBoundingRect(block).top();
    pages.push_back(static_cast<int>(top / copy->pageSize().height()) + 1);
  }
  return pages;
}

bool writeTextFile(const QString& path, const QString& text, QString& error) {
  const QByteArray bytes = text.toUtf8();
  const WriteResult written = writeFileAtomically(
      path.toStdString(), std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())));
  if (!written.ok())
    error = QStringLiteral("%1: %2").arg(path, QString::fromStdString(written.error));
  return written.ok();
}

QString htmlEscaped(const QString& text) {
  return text.toHtmlEscaped();
}

// The links at the top of every chapter page: the contents, the previous and the next chapter.
QString navigation(const std::vector<Chapter>& chapters, size_t index) {
  QString links = QStringLiteral("<p class=\"nav\"><a href=\"index.html\">目录</a>");
  if (index > 0)
    links += QStringLiteral(" | <a href=\"%1\">上一章：%2</a>")
                 .arg(chapters[index - 1].pageName, htmlEscaped(chapters[index - 1].title));
  if (index + 1 < chapters.size())
    links += QStringLiteral(" | <a href=\"%1\">下一章：%2</a>")
                 .arg(chapters[index + 1].pageName, htmlEscaped(chapters[index + 1].title));
  return links + "</p>\n";
}

QString pageHead(const QString& title, const QString& fontFamily) {
  return QStringLiteral(
             "<!DOCTYPE html>\n<html lang=\"zh-CN\">\n<head>\n<meta charset=\"utf-8\">\n"
             "<title>%1</title>\n<style>\nbody { font-family: \"%2\", sans-serif; max-width: "
             "52em; margin: 1em auto; padding: 0 1em; line-height: 1.5; }\n"
             "table { border-collapse: collapse; } td, th { border: 1px solid #999; padding: "
             "0.2em 0.5em; vertical-align: top; }\nimg { max-width: 100%; }\n"
             "code, pre { font-family: monospace; }\n.nav { font-size: 90%; }\n</style>\n"
             "</head>\n<body>\n")
      .arg(htmlEscaped(title), fontFamily);
}

// The body of a chapter as HTML: Qt's own rendering of the Markdown, whose <body> content is
// taken and put into our page.
QString chapterBody(const Chapter& chapter) {
  QTextDocument doc;
  doc.setMarkdown(chapter.markdown);
  const QString html = doc.toHtml();
  const qsizetype bodyTag = html.indexOf(QStringLiteral("<body"));
  const qsizetype bodyStart = html.indexOf('>', bodyTag) + 1;
  const qsizetype bodyEnd = html.lastIndexOf(QStringLiteral("</body>"));
  if (bodyTag < 0 || bodyEnd < bodyStart) return html;
  return html.mid(bodyStart, bodyEnd - bodyStart);
}

}  // namespace

QString chapterTitle(const QString& markdown) {
  static const QRegularExpression heading(QStringLiteral("^# +(.+?)\\s*$"),
                                          QRegularExpression::MultilineOption);
  const QRegularExpressionMatch match = heading.match(markdown);
  return match.hasMatch() ? match.captured(1) : QString();
}

QStringList imageNames(const QString& markdown) {
  static const QRegularExpression image(QStringLiteral("!\\[[^\\]]*\\]\\(([^)\\s]+)\\)"));
  QStringList names;
  for (auto it = image.globalMatch(markdown); it.hasNext();) {
    const QString name = it.next().captured(1);
    if (!names.contains(name)) names << name;
  }
  return names;
}

std::vector<Chapter> loadChapters(const QString& folder, QString& error) {
  std::vector<Chapter> chapters;
  const QDir dir(folder);
  const QStringList files = dir.entryList({QStringLiteral("[0-9]*.md")}, QDir::Files, QDir::Name);
  for (const QString& name : files) {
    QFile file(dir.filePath(name));
    if (!file.open(QIODevice::ReadOnly)) {
      error = QStringLiteral("%1: %2").arg(file.fileName(), file.errorString());
      return {};
    }
    Chapter chapter;
    chapter.fileName = name;
    chapter.markdown = QString::fromUtf8(file.readAll());
    chapter.title = chapterTitle(chapter.markdown);
    chapter.pageName = QFileInfo(name).completeBaseName() + QStringLiteral(".html");
    if (chapter.title.isEmpty()) {
      error = QStringLiteral("%1: no \"# \" heading to name the chapter").arg(file.fileName());
      return {};
    }
    chapters.push_back(std::move(chapter));
  }
  if (chapters.empty()) error = QStringLiteral("%1: no chapter ([0-9]*.md)").arg(folder);
  return chapters;
}

bool writePdf(const std::vector<Chapter>& chapters, const BookStyle& style, const QString& path,
              QString& error) {
  QPdfWriter writer(path);
  writer.setTitle(style.bookTitle);
  writer.setCreator(QStringLiteral("norva_manual_builder"));
  writer.setPageSize(QPageSize(QPageSize::A4));
  writer.setResolution(300);
  // Laid out once to learn where the chapters start, then again with those pages in the
  // contents (which fit on the title page, so the chapters do not move).
  QTextDocument draft;
  if (!buildBook(draft, chapters, style, {}, error)) return false;
  QTextDocument doc;
  if (!buildBook(doc, chapters, style, chapterPages(draft, writer), error)) return false;
  doc.print(&writer);
  QFile written(path);
  if (!written.exists() || written.size() == 0) {
    error = QStringLiteral("%1: the PDF was not written").arg(path);
    return false;
  }
  return true;
}

bool writeHtml(const std::vector<Chapter>& chapters, const BookStyle& style, const QString& folder,
               QString& error) {
  if (!QDir().mkpath(folder)) {
    error = QStringLiteral("%1: cannot make the folder").arg(folder);
    return false;
  }
  QString index =
      pageHead(style.bookTitle, style.fontFamily) +
      QStringLiteral("<h1>%1</h1>\n<h2>目录</h2>\n<ol>\n").arg(htmlEscaped(style.bookTitle));
  for (size_t i = 0; i < chapters.size(); ++i) {
    const Chapter& chapter = chapters[i];
    index += QStringLiteral("<li><a href=\"%1\">%2</a></li>\n")
                 .arg(chapter.pageName, htmlEscaped(chapter.title));
    const QString page = pageHead(chapter.title, style.fontFamily) + navigation(chapters, i) +
                         chapterBody(chapter) + navigation(chapters, i) +
                         QStringLiteral("</body>\n</html>\n");
    if (!writeTextFile(QDir(folder).filePath(chapter.pageName), page, error)) return false;
    for (const QString& name : imageNames(chapter.markdown)) {
      const QString source = findImage(style.imageFolders, name);
      const QString target = QDir(folder).filePath(name);
      if (source.isEmpty()) {
        error = QStringLiteral("picture %1 not found").arg(name);
        return false;
      }
      QFile::remove(target);
      if (!QFile::copy(source, target)) {
        error = QStringLiteral("%1: cannot copy the picture").arg(target);
        return false;
      }
    }
  }
  index += QStringLiteral("</ol>\n</body>\n</html>\n");
  return writeTextFile(QDir(folder).filePath(QStringLiteral("index.html")), index, error);
}

}  // namespace norva::manual
