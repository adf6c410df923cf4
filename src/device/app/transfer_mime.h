#pragma once
// What a drag between the panes carries. Files of the PC travel as a URI list, as they do from
// the desktop's file manager; entries of a memory view travel in a format of our own with the
// drive, each entry's index, size and name.
#include <QMimeData>
#include <QStringList>
#include <memory>
#include <optional>

#include "device/transfer_list.h"

namespace norva::device {

inline constexpr const char* kPlayerEntriesMimeType = "application/x-norva-player-entries";

struct PlayerEntries {
  int drive = 0;
  TransferList entries;  // text = player name, index, size
};

std::unique_ptr<QMimeData> mimeForPcFiles(const QStringList& paths);
std::unique_ptr<QMimeData> mimeForPlayerEntries(const PlayerEntries& entries);

// The local files of a URI list, each replaced by its link target when it is a symbolic link
// that resolves. Empty when the data carries no local file.
TransferList pcFilesOf(const QMimeData& data);
std::optional<PlayerEntries> playerEntriesOf(const QMimeData& data);

}  // namespace norva::device
