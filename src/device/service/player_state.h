#pragma once
// The simulated player's state folder as the shell and the device-change notice see it:
// where it is, whether the player is attached, its memory images. Creating, attaching and
// detaching go through PlayerStateControl so that norva can manage the player without the
// device manager.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

namespace norva::device {

inline constexpr const char* kPlayerDirVariable = "NORVA_PLAYER_DIR";
inline constexpr const char* kAttachedFlagName = "attached";
inline constexpr const char* kInternalImageName = "internal.img";
inline constexpr const char* kExternalImageName = "external.img";
inline constexpr uint32_t kInternalMemoryMiB = 32;
// FAT12 with 16 KiB clusters addresses at most 4084 clusters: cards up to 63 MiB.
inline constexpr uint32_t kMaxCardMiB = 63;

// NORVA_PLAYER_DIR, else $XDG_DATA_HOME/norva/player, else ~/.local/share/norva/player.
std::filesystem::path playerStateFolder();

enum class PlayerStateOutcome {
  Done,
  NoPlayer,
  AlreadyExists,
  BadCardSize,
  CannotWrite,
  FormatFailed
};
const char* toString(PlayerStateOutcome outcome);

struct PlayerStatus {
  bool exists = false;  // the folder holds an internal memory image
  bool attached = false;
  bool hasCard = false;
};

class PlayerStateControl {
 public:
  virtual ~PlayerStateControl() = default;
  // A new player: the internal memory and, when cardMiB is given, a card, both freshly
  // formatted; the new player is attached.
  virtual PlayerStateOutcome create(std::optional<uint32_t> cardMiB) = 0;
  virtual PlayerStateOutcome attach() = 0;
  virtual PlayerStateOutcome detach() = 0;
  virtual PlayerStatus status() const = 0;
  // The image file of a drive (0 internal, 1 card) when it exists.
  virtual std::optional<std::filesystem::path> imagePath(int drive) const = 0;
};

// The state folder itself, made and changed by the simulated player: the attached flag is a
// file, the memories are FAT12 images (512-byte sectors, 16 KiB clusters, 512 root entries).
class FolderPlayerState : public PlayerStateControl {
 public:
  explicit FolderPlayerState(std::filesystem::path folder) : folder_(std::move(folder)) {}
  PlayerStateOutcome create(std::optional<uint32_t> cardMiB) override;
  PlayerStateOutcome attach() override;
  PlayerStateOutcome detach() override;
  PlayerStatus status() const override;
  std::optional<std::filesystem::path> imagePath(int drive) const override;
  const std::filesystem::path& folder() const { return folder_; }

 private:
  std::filesystem::path folder_;
};

}  // namespace norva::device
