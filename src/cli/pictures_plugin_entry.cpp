// libnorva_pictures.so: the logo converter's picture loading (Qt's image readers, QPainter for
// metafiles) behind the one entry point norva looks up when a picture command runs.
#include <QFile>
#include <QString>
#include <QtGlobal>
#include <type_traits>

#include "cli/picture_plugin.h"
#include "logo/service/picture_loader.h"

namespace {

// Qt's image readers warn on stderr about damaged files ("QBuffer::seek: Invalid pos",
// "qt.gui.imageio.jpeg: ..."); norva says itself what became of the file.
void dropQtMessages(QtMsgType, const QMessageLogContext&, const QString&) {}

}  // namespace

extern "C" __attribute__((visibility("default"))) void norva_pictures_open_v1(
    const char* path, norva::logo::OpenedPicture* opened) {
  const QtMessageHandler previous = qInstallMessageHandler(dropQtMessages);
  *opened = norva::logo::openPicture(QFile::decodeName(path), norva::logo::PictureLoaderOptions{});
  qInstallMessageHandler(previous);
}

// The entry point's type is the one norva calls through.
static_assert(std::is_same_v<decltype(norva_pictures_open_v1), norva::cli::OpenPictureEntry>);
