#pragma once
// The desktop's "open": web links in the browser, documents such as the user manual in their
// viewer. Programs take a UrlOpener so tests can see what would have been opened.
#include <QString>
#include <QUrl>
#include <functional>

namespace norva::desktop {

// Opens a URL; true when the desktop took it.
using UrlOpener = std::function<bool(const QUrl&)>;

// The desktop's own opener (xdg-open on Linux, the shell elsewhere).
bool openWithDesktop(const QUrl& url);

// The manual is a file beside the program: `manualFileName` in the folder of `programPath`;
// where there is none and the program is installed, the file in the suite's documentation
// folder (share/doc/norva-suite from the program's bin folder). Without either, the place
// beside the program, so the opener reports the missing file there.
QUrl manualUrl(const QString& programPath, const QString& manualFileName);

// Opens the manual through `openUrl`; false when there is no opener or it refused.
bool openManual(const UrlOpener& openUrl, const QString& programPath,
                const QString& manualFileName);

}  // namespace norva::desktop
