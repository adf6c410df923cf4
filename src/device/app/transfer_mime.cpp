#include "device/app/transfer_mime.h"

#include <QDataStream>
#include <QFileInfo>
#include <QIODevice>
#include <QUrl>

namespace norva::device {
namespace {

constexpr quint32 kEntriesVersion = 1;

}  // namespace

std::unique_ptr<QMimeData> mimeForPcFiles(const QStringList& paths) {
  auto data = std::make_unique<QMimeData>();
  QList<QUrl> urls;
  for (const QString& path : paths) urls.push_back(QUrl::fromLocalFile(path));
  data->setUrls(urls);
  return data;
}

std::unique_ptr<QMimeData> mimeForPlayerEntries(const PlayerEntries& entries) {
  QByteArray bytes;
  QDataStream out(&bytes, QIODevice::WriteOnly);
  out << kEntriesVersion << qint32(entries.drive) << quint32(entries.entries.size());
  for (const TransferItem& item : entries.entries.items())
    out << qint32(item.index) << quint32(item.size) << QString::fromStdString(item.text);
  auto data = std::make_unique<QMimeData>();
  data->setData(QString::fromLatin1(kPlayerEntriesMimeType), bytes);
  return data;
}

TransferList pcFilesOf(const QMimeData& data) {
  TransferList files;
  if (!data.hasUrls()) return files;
  for (const QUrl& url : data.urls()) {
    if (!url.isLocalFile()) continue;
    QString path = url.toLocalFile();
    const QFileInfo info(path);
    if (info.isSymLink() && QFileInfo::exists(info.symLinkTarget())) path = info.symLinkTarget();
    files.add(TransferItem{path.toStdString(), -1, 0, {}});
  }
  return files;
}

std::optional<PlayerEntries> playerEntriesOf(const QMimeData& data) {
  const QString format = QString::fromLatin1(kPlayerEntriesMimeType);
  if (!data.hasFormat(format)) return std::nullopt;
  QDataStream in(data.data(format));
  quint32 version = 0;
  qint32 drive = 0;
  quint32 count = 0;
  in >> version >> drive >> count;
  if (in.status() != QDataStream::Ok || version != kEntriesVersion || (drive != 0 && drive != 1))
    return std::nullopt;
  PlayerEntries entries;
  entries.drive = drive;
  for (quint32 i = 0; i < count && in.status() == QDataStream::Ok; ++i) {
    qint32 index = 0;
    quint32 size = 0;
    QString name;
    in >> index >> size >> name;
    if (in.status() != QDataStream::Ok) break;
    entries.entries.add(TransferItem{name.toStdString(), index, size, {}});
  }
  if (in.status() != QDataStream::Ok) return std::nullopt;
  return entries;
}

}  // namespace norva::device
