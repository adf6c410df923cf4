#pragma once
// The simulated player behind our player library. Its whole state is a folder:
//
//   attached            present while the player is plugged in
//   internal.img        drive 0, the 32 MiB internal memory: a plain FAT12 image
//   external.img        drive 1, the optional card (1 to 63 MiB), absent without a card
//   codec.bin, boot.bin           the stored firmware images
//   codec_version.txt, boot_version.txt   their version texts (see firmware_version.h)
//   font.fot, font_name.txt       the stored font and the name it was downloaded under
//   .lock               every operation holds an flock on it, so processes take turns
//
// Unplugging does not wait for the lock: detach() removes the flag at once, and an operation in
// progress fails at its next write (NotAttached). Writes are ordered so that the images stay
// valid FAT file systems whatever step fails (see fat_volume.h).
//
// Low-level format erases the whole image to zero bytes and then formats it; format writes a
// fresh boot sector, allocation tables and root directory and leaves the data area as it was.
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "usb/player_records.h"
#include "usb/service/player_error.h"

namespace norva::usb {

class FatVolume;
class ImageFile;

enum class Conversion { None = 0, AdpcmToWav = 1, TvfToWav = 2 };

struct PlayerStatus {
  bool exists = false;
  bool attached = false;
  bool hasCard = false;
  std::string firmwareVersion;  // empty when no codec firmware is stored
  std::optional<std::string> fontName;
  uint32_t fontSize = 0;
};

struct DriveListing {
  std::vector<DirectoryEntryRecord> entries;  // play order
  Summary summary{};
};

class SimulatedPlayer {
 public:
  // NORVA_PLAYER_DIR when set, else $XDG_DATA_HOME/norva/player, else
  // ~/.local/share/norva/player.
  static std::filesystem::path defaultFolder();

  explicit SimulatedPlayer(std::filesystem::path folder);
  ~SimulatedPlayer();
  const std::filesystem::path& folder() const { return folder_; }

  // How long an operation waits for another one to finish before it fails with Busy.
  void setLockTimeout(std::chrono::milliseconds timeout) { lockTimeout_ = timeout; }
  // Called before every write to a drive image; tests unplug the player from it.
  void setWriteHook(std::function<void()> hook) { writeHook_ = std::move(hook); }

  // A new attached player with freshly formatted memories; cardMiB 0 means no card. Refused
  // with Exists when the folder already holds a player, BadRange for a card size outside 1..63.
  PlayerResult create(uint32_t cardMiB);
  PlayerResult attach();
  PlayerResult detach();
  bool exists() const;
  bool isAttached() const;
  PlayerResult status(PlayerStatus& status);

  // Storage. Every call needs an attached player and a drive that exists (0, or 1 with a card).
  PlayerResult listDrive(int drive, DriveListing& listing);
  PlayerResult mediumRecord(int drive, MediumRecord& record);
  // PC to player: the file goes to the end of the play order under its own file name.
  PlayerResult download(int drive, const std::filesystem::path& pcFile);
  // Player to PC. `expectedSize` must still be the entry's size; a name from the player holding
  // "/", "\" or ".." is refused.
  PlayerResult upload(int drive, int index, const std::filesystem::path& target,
                      std::optional<std::string_view> playerName, uint32_t expectedSize,
                      Conversion conversion);
  // The entry at `index` must still carry `expectedName` (long or short name).
  PlayerResult remove(int drive, int index, std::string_view expectedName);
  PlayerResult rename(int drive, int index, std::string_view newName,
                      std::string_view expectedName);
  // Without names the entries are swapped whatever they are.
  PlayerResult swap(int drive, int index, int neighbour,
                    std::optional<std::pair<std::string_view, std::string_view>> expectedNames);
  PlayerResult format(int drive);
  PlayerResult formatLow(int drive);
  // Blocks [firstBlock, firstBlock + blockCount) of the image, 16384 bytes each, into `target`.
  // The range must lie within the drive's total blocks and byteCount must match it.
  PlayerResult readRaw(int drive, uint32_t firstBlock, uint32_t blockCount,
                       const std::filesystem::path& target, uint32_t byteCount);

  // Firmware and font.
  PlayerResult upgradeFirmware(int kind, const std::filesystem::path& image,
                               std::string_view chosenName);
  // Codec version text; nothing when no player is attached.
  std::optional<std::string> firmwareVersion() const;
  PlayerResult downloadFont(const std::filesystem::path& fontFile);
  PlayerResult fontRecord(FontRecord& record);
  PlayerResult eraseFont();
  PlayerResult uploadFont(const std::filesystem::path& target, uint32_t expectedSize);

 private:
  std::filesystem::path imagePath(int drive) const;
  std::filesystem::path path(std::string_view name) const { return folder_ / name; }
  // Runs `body` with the lock held and the player attached.
  PlayerResult locked(const std::function<PlayerResult()>& body) const;
  PlayerResult withVolume(int drive,
                          const std::function<PlayerResult(FatVolume&, ImageFile&)>& body) const;
  PlayerResult withImage(int drive, const std::function<PlayerResult(ImageFile&)>& body) const;
  PlayerResult writeFailure(const ImageFile& image) const;

  std::filesystem::path folder_;
  std::chrono::milliseconds lockTimeout_{30000};
  std::function<void()> writeHook_;
};

}  // namespace norva::usb
