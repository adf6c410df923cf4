#include "device/service/player_state.h"

#include <QProcess>
#include <QStandardPaths>
#include <QStringList>
#include <cstdlib>
#include <fstream>

namespace norva::device {
namespace {

// mkfs.fat lives in sbin, which ordinary users often lack on their PATH.
QString formatterProgram() {
  QString found = QStandardPaths::findExecutable("mkfs.fat");
  if (found.isEmpty()) found = QStandardPaths::findExecutable("mkfs.fat", {"/usr/sbin", "/sbin"});
  return found;
}

bool makeFat12Image(const std::filesystem::path& image, uint32_t mebibytes) {
  const QString program = formatterProgram();
  if (program.isEmpty()) return false;
  QProcess process;
  process.start(program, {"-C", "-F", "12", "-S", "512", "-s", "32", "-r", "512",
                          QString::fromStdString(image.string()),
                          QString::number(uint64_t{mebibytes} * 1024)});
  return process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit &&
         process.exitCode() == 0;
}

}  // namespace

std::filesystem::path playerStateFolder() {
  if (const char* named = std::getenv(kPlayerDirVariable); named && *named) return named;
  if (const char* data = std::getenv("XDG_DATA_HOME"); data && *data)
    return std::filesystem::path(data) / "norva" / "player";
  const char* home = std::getenv("HOME");
  return std::filesystem::path(home ? home : ".") / ".local" / "share" / "norva" / "player";
}

const char* toString(PlayerStateOutcome outcome) {
  switch (outcome) {
    case PlayerStateOutcome::Done:
      return "done";
    case PlayerStateOutcome::NoPlayer:
      return "no player in the state folder";
    case PlayerStateOutcome::AlreadyExists:
      return "a player exists already";
    case PlayerStateOutcome::BadCardSize:
      return "card size must be 1 to 63 MiB";
    case PlayerStateOutcome::CannotWrite:
      return "cannot write the state folder";
    case PlayerStateOutcome::FormatFailed:
      return "cannot format the memory image (mkfs.fat)";
  }
  return "unknown";
}

PlayerStateOutcome FolderPlayerState::create(std::optional<uint32_t> cardMiB) {
  if (cardMiB && (*cardMiB < 1 || *cardMiB > kMaxCardMiB)) return PlayerStateOutcome::BadCardSize;
  if (status().exists) return PlayerStateOutcome::AlreadyExists;
  std::error_code ec;
  std::filesystem::create_directories(folder_, ec);
  if (ec) return PlayerStateOutcome::CannotWrite;
  if (!makeFat12Image(folder_ / kInternalImageName, kInternalMemoryMiB))
    return PlayerStateOutcome::FormatFailed;
  if (cardMiB && !makeFat12Image(folder_ / kExternalImageName, *cardMiB))
    return PlayerStateOutcome::FormatFailed;
  return attach();
}

PlayerStateOutcome FolderPlayerState::attach() {
  if (!status().exists) return PlayerStateOutcome::NoPlayer;
  std::ofstream flag(folder_ / kAttachedFlagName);
  return flag ? PlayerStateOutcome::Done : PlayerStateOutcome::CannotWrite;
}

PlayerStateOutcome FolderPlayerState::detach() {
  if (!status().exists) return PlayerStateOutcome::NoPlayer;
  std::error_code ec;
  std::filesystem::remove(folder_ / kAttachedFlagName, ec);
  return ec ? PlayerStateOutcome::CannotWrite : PlayerStateOutcome::Done;
}

PlayerStatus FolderPlayerState::status() const {
  std::error_code ec;
  PlayerStatus status;
  status.exists = std::filesystem::is_regular_file(folder_ / kInternalImageName, ec);
  status.attached = status.exists && std::filesystem::exists(folder_ / kAttachedFlagName, ec);
  status.hasCard = std::filesystem::is_regular_file(folder_ / kExternalImageName, ec);
  return status;
}

std::optional<std::filesystem::path> FolderPlayerState::imagePath(int drive) const {
  if (drive != 0 && drive != 1) return std::nullopt;
  const auto path = folder_ / (drive == 0 ? kInternalImageName : kExternalImageName);
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec)) return std::nullopt;
  return path;
}

}  // namespace norva::device
