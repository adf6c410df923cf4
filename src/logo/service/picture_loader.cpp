#include "logo/service/picture_loader.h"

#include <QBuffer>
#include <QByteArray>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QPainter>

#include "logo/lgo_reader.h"
#include "logo/logo_conversion.h"
#include "logo/metafile.h"
#include "logo/service/lgo_files.h"
#include "logo/service/metafile_renderer.h"
#include "logo/wbmp_reader.h"

namespace norva::logo {
namespace {

// No picture file the converter is meant for comes near this; larger files are not read whole.
constexpr qint64 kMaxPictureFileBytes = 64 << 20;

RgbImage toRgbImage(const QImage& source) {
  // Transparent parts (icons, cursors, GIFs) are laid on white, the colour of an empty pane.
  QImage flat(source.size(), QImage::Format_RGB32);
  flat.fill(Qt::white);
  {
    QPainter painter(&flat);
    painter.drawImage(0, 0, source);
  }
  RgbImage image(static_cast<unsigned>(flat.width()), static_cast<unsigned>(flat.height()));
  for (int y = 0; y < flat.height(); ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(flat.constScanLine(y));
    for (int x = 0; x < flat.width(); ++x)
      image.at(static_cast<unsigned>(x), static_cast<unsigned>(y)) =
          Rgb{static_cast<uint8_t>(qRed(line[x])), static_cast<uint8_t>(qGreen(line[x])),
              static_cast<uint8_t>(qBlue(line[x]))};
  }
  return image;
}

std::optional<QImage> readWithQt(QByteArray& bytes, const QByteArray& forcedFormat) {
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer, forcedFormat);
  reader.setDecideFormatFromContent(forcedFormat.isEmpty());
  // A forced format must not fall back to the other readers.
  reader.setAutoDetectImageFormat(forcedFormat.isEmpty());
  if (!reader.canRead()) return std::nullopt;
  const QByteArray format = reader.format().toLower();
  if (!forcedFormat.isEmpty() && format != forcedFormat) return std::nullopt;
  // The general loader step reads these kinds and no others.
  static const QList<QByteArray> kLoaderFormats = {"bmp", "jpeg", "jpg", "gif", "ico", "cur"};
  if (!kLoaderFormats.contains(format)) return std::nullopt;
  QImage image;
  if (!reader.read(&image) || image.isNull()) return std::nullopt;
  return image;
}

}  // namespace

std::optional<LoadedPicture> loadPicture(const QString& path, const PictureLoaderOptions& options) {
  QFile file(path);
  if (path.isEmpty() || !file.open(QIODevice::ReadOnly) || file.size() > kMaxPictureFileBytes)
    return std::nullopt;
  QByteArray bytes = file.readAll();
  file.close();
  const std::span<const uint8_t> raw(reinterpret_cast<const uint8_t*>(bytes.constData()),
                                     static_cast<size_t>(bytes.size()));

  // BMP at its own size.
  if (auto bmp = readWithQt(bytes, "bmp"))
    return LoadedPicture{LoadedPicture::Source::Bmp, toRgbImage(*bmp), std::nullopt};

  // The general picture loader: metafiles rendered at their natural size, raster kinds read.
  if (looksLikeMetafile(raw)) {
    if (auto meta = parseMetafile(raw)) {
      const QImage drawn = renderMetafile(*meta, options.dpiX, options.dpiY);
      if (!drawn.isNull())
        return LoadedPicture{LoadedPicture::Source::Metafile, toRgbImage(drawn), std::nullopt};
    }
  } else if (auto picture = readWithQt(bytes, {})) {
    return LoadedPicture{LoadedPicture::Source::PictureLoader, toRgbImage(*picture), std::nullopt};
  }

  if (auto wbmp = decodeWbmp(raw))
    return LoadedPicture{LoadedPicture::Source::Wbmp, std::move(*wbmp), std::nullopt};

  if (hasLgoExtension(QFile::encodeName(path).toStdString())) {
    if (auto lgo = readLgoFile(QFile::encodeName(path).toStdString())) {
      RgbImage image = renderLogo(*lgo);
      return LoadedPicture{LoadedPicture::Source::Lgo, std::move(image), std::move(lgo)};
    }
  }
  return std::nullopt;
}

OpenedPicture openPicture(const QString& path, const PictureLoaderOptions& options) {
  auto loaded = loadPicture(path, options);
  const std::string name = QFile::encodeName(path).toStdString();
  if (!loaded) return finishOpening(std::nullopt, std::nullopt, name);
  std::optional<bool> reversedBits;
  if (loaded->lgo) reversedBits = loaded->lgo->reversedBits;
  return finishOpening(std::move(loaded->image), reversedBits, name);
}

}  // namespace norva::logo
