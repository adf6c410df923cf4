// norva_manual_builder: makes the user manual (PDF and HTML help) from its Markdown chapters,
// and the norva(1) man page from norva's own help texts. Runs at build time, without a
// display.
//
//   norva_manual_builder book --source DIR --images DIR... --font FILE --pdf OUT --html DIR
//   norva_manual_builder man --norva PROGRAM --output OUT
#include <QDir>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QProcess>
#include <QStringList>
#include <cstdio>

#include "base/service/file_io.h"
#include "man_page.h"
#include "manual_book.h"

namespace {

using namespace norva::manual;

constexpr int kUsageError = 64;

int fail(const QString& why) {
  std::fprintf(stderr, "norva_manual_builder: %s\n", why.toUtf8().constData());
  return 1;
}

// "--name value" pairs; a name may repeat.
QStringList values(const QStringList& args, const QString& name) {
  QStringList found;
  for (qsizetype i = 0; i + 1 < args.size(); ++i)
    if (args[i] == name) found << args[i + 1];
  return found;
}

QString value(const QStringList& args, const QString& name) {
  const QStringList found = values(args, name);
  return found.isEmpty() ? QString() : found.last();
}

int makeBook(const QStringList& args) {
  const QString source = value(args, QStringLiteral("--source"));
  const QString fontFile = value(args, QStringLiteral("--font"));
  const QString pdf = value(args, QStringLiteral("--pdf"));
  const QString html = value(args, QStringLiteral("--html"));
  if (source.isEmpty() || fontFile.isEmpty() || pdf.isEmpty() || html.isEmpty()) {
    std::fprintf(stderr,
                 "usage: norva_manual_builder book --source DIR --images DIR... --font FILE "
                 "--pdf OUT --html DIR\n");
    return kUsageError;
  }
  // The font is named explicitly: the offscreen platform would otherwise find whatever the
  // font configuration offers, and Chinese text could come out as empty boxes.
  const int font = QFontDatabase::addApplicationFont(fontFile);
  const QStringList families = QFontDatabase::applicationFontFamilies(font);
  if (font < 0 || families.isEmpty()) return fail(fontFile + ": not a usable font");

  QString error;
  const std::vector<Chapter> chapters = loadChapters(source, error);
  if (chapters.empty()) return fail(error);
  BookStyle style;
  style.bookTitle = QStringLiteral("NORVA RD710 配套软件用户手册");
  style.fontFamily = families.first();
  style.imageFolders = values(args, QStringLiteral("--images")) << source;
  if (!writePdf(chapters, style, pdf, error) || !writeHtml(chapters, style, html, error))
    return fail(error);
  return 0;
}

QString runHelp(const QString& program, const QStringList& args) {
  QProcess process;
  process.start(program, args);
  if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit ||
      process.exitCode() != 0)
    return {};
  return QString::fromUtf8(process.readAllStandardOutput());
}

int makeManPage(const QStringList& args) {
  const QString program = value(args, QStringLiteral("--norva"));
  const QString output = value(args, QStringLiteral("--output"));
  if (program.isEmpty() || output.isEmpty()) {
    std::fprintf(stderr, "usage: norva_manual_builder man --norva PROGRAM --output OUT\n");
    return kUsageError;
  }
  const QString overview = runHelp(program, {QStringLiteral("--help")});
  QString version = runHelp(program, {QStringLiteral("--version")}).trimmed();
  if (overview.isEmpty() || version.isEmpty()) return fail(program + ": gave no help text");
  version = version.section(' ', -1);
  std::vector<CommandHelp> commands;
  for (const std::string& name : commandNames(overview.toStdString())) {
    const QString help = runHelp(program, {QString::fromStdString(name), QStringLiteral("--help")});
    if (help.isEmpty()) return fail(QStringLiteral("norva %1 --help failed").arg(name.c_str()));
    commands.push_back({name, help.toStdString()});
  }
  if (commands.empty()) return fail(program + ": its help lists no command");
  const std::string page = manPage(version.toStdString(), overview.toStdString(), commands);
  const norva::WriteResult written = norva::writeFileAtomically(output.toStdString(), page);
  if (!written.ok()) return fail(output + ": " + QString::fromStdString(written.error));
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  const QStringList args = QCoreApplication::arguments().mid(1);
  if (!args.isEmpty() && args.first() == QStringLiteral("book")) return makeBook(args.mid(1));
  if (!args.isEmpty() && args.first() == QStringLiteral("man")) return makeManPage(args.mid(1));
  std::fprintf(stderr, "usage: norva_manual_builder book|man ...\n");
  return kUsageError;
}
