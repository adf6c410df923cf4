#pragma once
// The program's own icons, drawn rather than loaded so they look the same on every desktop:
// the application icon and one small icon per kind of file (folder, song, lyric, other).
#include <QIcon>
#include <QString>

namespace norva::device {

enum class FileKind { Folder, Song, Lyric, Other };
const char* toString(FileKind kind);

FileKind fileKindOf(const QString& name, bool folder);
QIcon fileKindIcon(FileKind kind);
QIcon applicationIcon();
QIcon parentFolderIcon();
QIcon audioPlayIcon();

}  // namespace norva::device
