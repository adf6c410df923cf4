#pragma once
// The picture of each command in menus and toolbars: the desktop's icon theme where it has one,
// Qt's standard icons, and our own small pictures (the sync commands, the editor's own
// commands, and stand-ins for the edit commands where no theme is installed).
#include <QIcon>

class QStyle;

namespace norva::editor {

// An empty icon for commands that carry no picture.
QIcon commandIcon(int commandId, const QStyle& style);

// The program's own icon.
QIcon applicationIcon();

}  // namespace norva::editor
