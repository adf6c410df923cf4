#include "device/service/player_state.h"

#include "usb/service/simulated_player.h"

namespace norva::device {
namespace {

PlayerStateOutcome outcomeOf(const usb::PlayerResult& result) {
  switch (result.error) {
    case usb::PlayerError::Ok:
      return PlayerStateOutcome::Done;
    case usb::PlayerError::Exists:
      return PlayerStateOutcome::AlreadyExists;
    case usb::PlayerError::BadRange:
      return PlayerStateOutcome::BadCardSize;
    case usb::PlayerError::NotAttached:
    case usb::PlayerError::NoConnection:
      return PlayerStateOutcome::NoPlayer;
    case usb::PlayerError::BadImage:
    case usb::PlayerError::Unformatted:
      return PlayerStateOutcome::FormatFailed;
    default:
      return PlayerStateOutcome::CannotWrite;
  }
}

}  // namespace

std::filesystem::path playerStateFolder() {
  return usb::SimulatedPlayer::defaultFolder();
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
      return "cannot format the memory image";
  }
  return "unknown";
}

// The simulated player makes, plugs and unplugs itself; this is the view of it the shell and
// the device-change notice need.
PlayerStateOutcome FolderPlayerState::create(std::optional<uint32_t> cardMiB) {
  if (cardMiB && (*cardMiB < 1 || *cardMiB > kMaxCardMiB)) return PlayerStateOutcome::BadCardSize;
  if (status().exists) return PlayerStateOutcome::AlreadyExists;
  return outcomeOf(usb::SimulatedPlayer(folder_).create(cardMiB.value_or(0)));
}

PlayerStateOutcome FolderPlayerState::attach() {
  if (!status().exists) return PlayerStateOutcome::NoPlayer;
  return outcomeOf(usb::SimulatedPlayer(folder_).attach());
}

PlayerStateOutcome FolderPlayerState::detach() {
  if (!status().exists) return PlayerStateOutcome::NoPlayer;
  return outcomeOf(usb::SimulatedPlayer(folder_).detach());
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
