#include "editor/app/command_icons.h"

#include <QStyle>

#include "editor/editor_commands.h"

// The pictures are a resource of a static library: registered once, before the first use.
static void registerPictures() {
  Q_INIT_RESOURCE(sontrava);
}

namespace norva::editor {
namespace {

QIcon own(const char* name) {
  static const bool registered = (registerPictures(), true);
  (void)registered;
  return QIcon(QStringLiteral(":/sontrava/icons/%1.xpm").arg(QLatin1String(name)));
}

QIcon themed(const char* themeName, const QIcon& fallback) {
  return QIcon::fromTheme(QLatin1String(themeName), fallback);
}

}  // namespace

QIcon commandIcon(int commandId, const QStyle& style) {
  using namespace command;
  switch (commandId) {
    case kNew:
      return themed("document-new", style.standardIcon(QStyle::SP_FileIcon));
    case kOpen:
      return themed("document-open", style.standardIcon(QStyle::SP_DialogOpenButton));
    case kSave:
    case kSaveAs:
      return themed("document-save", style.standardIcon(QStyle::SP_DialogSaveButton));
    case kPrint:
      return QIcon::fromTheme(QStringLiteral("document-print"));
    case kPrintPreview:
      return QIcon::fromTheme(QStringLiteral("document-print-preview"));
    case kExit:
      return themed("application-exit", style.standardIcon(QStyle::SP_DialogCloseButton));
    case kUndo:
      return themed("edit-undo", style.standardIcon(QStyle::SP_ArrowBack));
    case kCut:
      return themed("edit-cut", own("cut"));
    case kCopy:
      return themed("edit-copy", own("copy"));
    case kPaste:
      return themed("edit-paste", own("paste"));
    case kOpenAudio:
      return own("open_audio");
    case kPlay:
      return own("play");
    case kPause:
      return own("pause");
    case kStop:
      return own("stop");
    case kForward:
      return own("forward");
    case kBackward:
      return own("backward");
    case kSync:
      return own("sync");
    case kStepBack:
      return own("stepback");
    case kInsertLineBreak:
      return own("insert_br");
    case kConvertToLyr:
    case kLrcToLyr:
      return own("convert_lyr");
    case kAbout:
      return themed("help-about", style.standardIcon(QStyle::SP_MessageBoxInformation));
    case kUserManual:
      return themed("help-contents", style.standardIcon(QStyle::SP_DialogHelpButton));
    default:
      return {};
  }
}

QIcon applicationIcon() {
  return own("sontrava");
}

}  // namespace norva::editor
