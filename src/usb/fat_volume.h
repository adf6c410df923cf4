#pragma once
// A FAT12 volume's root directory and files, read from and written to a block device. Only the
// root directory is handled: the player keeps its songs there, in play order.
//
// Everything read from the device is checked before use: clusters outside the volume, chains
// that run short, loop or hit a free cluster make the file unreadable (BadImage), never crash.
//
// Writes are ordered so that an interruption can only leave clusters that no entry uses: a new
// file's data first, then the allocation tables (every copy in one write, so the copies never
// differ), then its directory entry; a removed file's
// directory entry first, then its clusters are freed. After a failed write the volume reloads
// its view of the device, so it always describes what is on it.
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "usb/block_device.h"
#include "usb/fat_layout.h"
#include "usb/fat_names.h"

namespace norva::usb {

enum class FatStatus {
  Ok,
  BadImage,       // the image is not a readable FAT12 volume, or this file's chain is broken
  WriteFailed,    // the device refused a write (the volume holds what was written before)
  DiskFull,       // not enough free clusters; nothing was written
  DirectoryFull,  // not enough free root directory slots; nothing was written
  NoSuchEntry,    // index outside the listing
  BadName,        // not a valid long name
  Exists,         // another file already has this name
};
const char* toString(FatStatus status);

// Date and time in the directory's packed form.
struct DosTimestamp {
  uint16_t time = 0;
  uint16_t date = (1 << 5) | 1;  // 1980-01-01
};

struct FileEntry {
  std::string longName;  // UTF-8; empty when the entry carries no valid long name
  ShortName shortName{};
  uint8_t attributes = 0;
  uint8_t caseFlags = 0;  // 0x08: base shown in lower case, 0x10: extension in lower case
  uint16_t firstCluster = 0;
  uint32_t size = 0;
  DosTimestamp written;

  // The long name when there is one, else the short name as NAME.EXT (in the letter case its
  // case flags ask for).
  std::string displayName() const;
  // True when `name` is this entry's long or short name (ASCII letters in any case).
  bool isNamed(std::string_view name) const;
};

class FatVolume {
 public:
  // Nothing when the device does not hold a FAT12 volume this code can use.
  static std::unique_ptr<FatVolume> open(BlockDevice& device);

  const FatLayout& layout() const { return layout_; }
  // Files of the root directory in directory (play) order; folders and labels are left out.
  const std::vector<FileEntry>& files() const { return files_; }
  uint32_t freeClusters() const;
  uint32_t badClusters() const;
  uint32_t usedClusters() const { return layout_.clusterCount() - freeClusters() - badClusters(); }
  uint64_t freeBytes() const { return uint64_t{freeClusters()} * layout_.clusterBytes(); }
  // Root directory slots in use (long-name slots included).
  uint32_t usedSlots() const;

  FatStatus readFile(size_t index, std::vector<uint8_t>& data) const;
  // Adds a file at the end of the play order. Space and slots are checked before any write.
  FatStatus addFile(std::string_view name, std::span<const uint8_t> data, DosTimestamp when);
  FatStatus removeFile(size_t index);
  // New long name and a newly generated short name; data, times and position stay.
  FatStatus renameFile(size_t index, std::string_view newName);
  // The two files trade places, each with its long-name slots.
  FatStatus swapFiles(size_t first, size_t second);

 private:
  struct Group {
    std::vector<uint8_t> slots;  // raw 32-byte slots: long-name slots, then the short entry
    std::optional<size_t> file;  // index into files_ when the group is a file
  };

  explicit FatVolume(BlockDevice& device, const FatLayout& layout);
  bool load();
  FatStatus reloadAfter(FatStatus failure);
  void parseRoot();
  uint32_t fatEntry(uint32_t cluster) const;
  void setFatEntry(uint32_t cluster, uint32_t value);
  bool isDataCluster(uint32_t cluster) const;
  // The clusters holding `entry`'s data, or nothing when its chain is broken.
  std::optional<std::vector<uint32_t>> dataClusters(const FileEntry& entry) const;
  std::vector<uint32_t> clustersToFree(uint32_t first) const;
  bool writeTables();
  bool writeRoot(const std::vector<Group>& groups);
  bool writeData(std::span<const uint32_t> clusters, std::span<const uint8_t> data);
  std::vector<ShortName> shortNamesExcept(std::optional<size_t> file) const;
  size_t groupOfFile(size_t file) const;

  BlockDevice& device_;
  FatLayout layout_;
  std::vector<uint8_t> fat_;   // the first allocation table
  std::vector<uint8_t> root_;  // the root directory as on the device
  std::vector<Group> groups_;
  std::vector<FileEntry> files_;
};

}  // namespace norva::usb
