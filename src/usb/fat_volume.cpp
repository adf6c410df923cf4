#include "usb/fat_volume.h"

#include <algorithm>
#include <cstring>

#include "base/byte_order.h"
#include "base/file_names.h"

namespace norva::usb {
namespace {

constexpr uint8_t kEndOfDirectory = 0x00;
constexpr uint8_t kDeletedSlot = 0xE5;
constexpr uint8_t kAttrVolumeLabel = 0x08;
constexpr uint8_t kAttrDirectory = 0x10;
constexpr uint8_t kAttrArchive = 0x20;
constexpr uint8_t kAttrLongName = 0x0F;
constexpr uint8_t kLastLongSlot = 0x40;
constexpr uint8_t kLowerCaseBase = 0x08;
constexpr uint8_t kLowerCaseExtension = 0x10;
constexpr size_t kUnitsPerLongSlot = 13;
constexpr size_t kMaxLongSlots = 20;
constexpr uint32_t kBadCluster = 0xFF7;
constexpr uint32_t kFirstEndOfChain = 0xFF8;
constexpr uint32_t kEndOfChain = 0xFFF;
// Longest single write of file data: keeps every write short enough that an unplugged player
// is noticed soon.
constexpr size_t kMaxDataWrite = 1024 * 1024;
// Where the 13 UTF-16 units of a long-name slot lie in it.
constexpr size_t kLongSlotUnitOffsets[kUnitsPerLongSlot] = {1,  3,  5,  7,  9,  14, 16,
                                                            18, 20, 22, 24, 28, 30};

bool isLongSlot(std::span<const uint8_t> slot) {
  return (slot[11] & 0x3F) == kAttrLongName;
}

ShortName shortNameOf(std::span<const uint8_t> slot) {
  ShortName name;
  std::copy_n(slot.begin(), name.size(), name.begin());
  return name;
}

FileEntry entryOf(std::span<const uint8_t> slot, std::u16string_view longName) {
  FileEntry entry;
  entry.shortName = shortNameOf(slot);
  entry.attributes = slot[11];
  entry.caseFlags = slot[12] & (kLowerCaseBase | kLowerCaseExtension);
  entry.written.time = readLe16(slot, 22);
  entry.written.date = readLe16(slot, 24);
  entry.firstCluster = readLe16(slot, 26);
  entry.size = readLe32(slot, 28);
  entry.longName = utf16ToUtf8(longName);
  return entry;
}

bool isListedFile(std::span<const uint8_t> slot) {
  return (slot[11] & (kAttrVolumeLabel | kAttrDirectory)) == 0 && slot[0] != '.';
}

// Long-name slots (last part first, as on disk) followed by the short entry. `tail` gives the
// short entry's bytes 11 to 31 (attributes, times, first cluster, size).
std::vector<uint8_t> buildGroup(std::u16string_view longName, const ShortName& shortName,
                                std::span<const uint8_t> tail) {
  const size_t longSlots = (longName.size() + kUnitsPerLongSlot - 1) / kUnitsPerLongSlot;
  std::vector<uint8_t> group((longSlots + 1) * kDirectorySlotSize, 0);
  const uint8_t checksum = shortNameChecksum(shortName);
  for (size_t part = 0; part < longSlots; ++part) {
    std::span<uint8_t> slot(group.data() + (longSlots - 1 - part) * kDirectorySlotSize,
                            kDirectorySlotSize);
    slot[0] = static_cast<uint8_t>((part + 1) | (part + 1 == longSlots ? kLastLongSlot : 0));
    slot[11] = kAttrLongName;
    slot[13] = checksum;
    for (size_t k = 0; k < kUnitsPerLongSlot; ++k) {
      const size_t unitIndex = part * kUnitsPerLongSlot + k;
      uint16_t unit = 0xFFFF;  // padding after the terminator
      if (unitIndex < longName.size())
        unit = longName[unitIndex];
      else if (unitIndex == longName.size())
        unit = 0;
      writeLe16(slot, kLongSlotUnitOffsets[k], unit);
    }
  }
  std::span<uint8_t> shortSlot(group.data() + longSlots * kDirectorySlotSize, kDirectorySlotSize);
  std::copy(shortName.begin(), shortName.end(), shortSlot.begin());
  std::copy(tail.begin(), tail.end(), shortSlot.begin() + 11);
  return group;
}

}  // namespace

const char* toString(FatStatus status) {
  switch (status) {
    case FatStatus::Ok:
      return "ok";
    case FatStatus::BadImage:
      return "not a readable FAT12 volume or broken cluster chain";
    case FatStatus::WriteFailed:
      return "write to the medium failed";
    case FatStatus::DiskFull:
      return "not enough free space";
    case FatStatus::DirectoryFull:
      return "root directory full";
    case FatStatus::NoSuchEntry:
      return "no such entry";
    case FatStatus::BadName:
      return "invalid file name";
    case FatStatus::Exists:
      return "a file of that name exists";
  }
  return "unknown";
}

std::string FileEntry::displayName() const {
  if (!longName.empty()) return longName;
  std::string text = shortNameText(shortName);
  const size_t dot = text.find('.');
  for (size_t i = 0; i < text.size(); ++i) {
    const bool inBase = i < dot;
    const uint8_t flag = inBase ? kLowerCaseBase : kLowerCaseExtension;
    if ((caseFlags & flag) && text[i] >= 'A' && text[i] <= 'Z')
      text[i] = static_cast<char>(text[i] - 'A' + 'a');
  }
  return text;
}

bool FileEntry::isNamed(std::string_view name) const {
  return (!longName.empty() && equalsIgnoringCase(longName, name)) ||
         equalsIgnoringCase(shortNameText(shortName), name);
}

FatVolume::FatVolume(BlockDevice& device, const FatLayout& layout)
    : device_(device), layout_(layout) {}

std::unique_ptr<FatVolume> FatVolume::open(BlockDevice& device) {
  std::vector<uint8_t> boot(kSectorSize);
  if (device.size() < kSectorSize || !device.read(0, boot)) return nullptr;
  const auto layout = parseBootSector(boot, device.size());
  if (!layout) return nullptr;
  std::unique_ptr<FatVolume> volume(new FatVolume(device, *layout));
  if (!volume->load()) return nullptr;
  return volume;
}

bool FatVolume::load() {
  fat_.assign(size_t{layout_.sectorsPerFat} * layout_.bytesPerSector, 0);
  root_.assign(size_t{layout_.rootEntryCount} * kDirectorySlotSize, 0);
  if (!device_.read(uint64_t{layout_.fatStartSector()} * layout_.bytesPerSector, fat_) ||
      !device_.read(uint64_t{layout_.rootStartSector()} * layout_.bytesPerSector, root_))
    return false;
  parseRoot();
  return true;
}

FatStatus FatVolume::reloadAfter(FatStatus failure) {
  if (!load()) {
    groups_.clear();
    files_.clear();
  }
  return failure;
}

void FatVolume::parseRoot() {
  groups_.clear();
  files_.clear();
  std::vector<uint8_t> pending;  // long-name slots waiting for their short entry
  std::u16string pendingName;
  size_t expectedOrdinal = 0;
  uint8_t pendingChecksum = 0;
  auto flushOrphans = [&] {
    if (!pending.empty()) groups_.push_back(Group{pending, std::nullopt});
    pending.clear();
    pendingName.clear();
    expectedOrdinal = 0;
  };

  for (size_t offset = 0; offset + kDirectorySlotSize <= root_.size();
       offset += kDirectorySlotSize) {
    std::span<const uint8_t> slot(root_.data() + offset, kDirectorySlotSize);
    if (slot[0] == kEndOfDirectory) break;
    if (slot[0] == kDeletedSlot) {
      flushOrphans();
      continue;
    }
    if (isLongSlot(slot)) {
      const size_t ordinal = slot[0] & 0x1F;
      const bool starts = (slot[0] & kLastLongSlot) != 0;
      const bool continues = !starts && ordinal != 0 && ordinal + 1 == expectedOrdinal &&
                             slot[13] == pendingChecksum && !pending.empty();
      if (starts || !continues) flushOrphans();
      if (!(starts || continues) || ordinal == 0 || ordinal > kMaxLongSlots) {
        groups_.push_back(Group{{slot.begin(), slot.end()}, std::nullopt});
        continue;
      }
      std::u16string part;
      for (size_t unitOffset : kLongSlotUnitOffsets)
        part += static_cast<char16_t>(readLe16(slot, unitOffset));
      pendingName = part + pendingName;
      pendingChecksum = slot[13];
      expectedOrdinal = ordinal;
      pending.insert(pending.end(), slot.begin(), slot.end());
      continue;
    }
    // A short entry: it owns the pending long name when that is complete and matches it.
    std::u16string longName;
    if (!pending.empty() && expectedOrdinal == 1 &&
        pendingChecksum == shortNameChecksum(shortNameOf(slot))) {
      longName = pendingName.substr(0, pendingName.find(u'\0'));
    } else {
      flushOrphans();
    }
    Group group{pending, std::nullopt};
    group.slots.insert(group.slots.end(), slot.begin(), slot.end());
    pending.clear();
    pendingName.clear();
    expectedOrdinal = 0;
    if (isListedFile(slot)) {
      group.file = files_.size();
      files_.push_back(entryOf(slot, longName));
    }
    groups_.push_back(std::move(group));
  }
  flushOrphans();
}

uint32_t FatVolume::fatEntry(uint32_t cluster) const {
  const size_t offset = size_t{cluster} * 3 / 2;
  if (offset + 1 >= fat_.size()) return kEndOfChain;
  const uint32_t pair = uint32_t{fat_[offset]} | (uint32_t{fat_[offset + 1]} << 8);
  return (cluster & 1) ? pair >> 4 : pair & 0xFFF;
}

void FatVolume::setFatEntry(uint32_t cluster, uint32_t value) {
  const size_t offset = size_t{cluster} * 3 / 2;
  if (cluster & 1) {
    fat_[offset] = static_cast<uint8_t>((fat_[offset] & 0x0F) | ((value & 0x0F) << 4));
    fat_[offset + 1] = static_cast<uint8_t>(value >> 4);
  } else {
    fat_[offset] = static_cast<uint8_t>(value & 0xFF);
    fat_[offset + 1] = static_cast<uint8_t>((fat_[offset + 1] & 0xF0) | ((value >> 8) & 0x0F));
  }
}

bool FatVolume::isDataCluster(uint32_t cluster) const {
  return cluster >= 2 && cluster < layout_.clusterCount() + 2;
}

uint32_t FatVolume::freeClusters() const {
  uint32_t count = 0;
  for (uint32_t cluster = 2; cluster < layout_.clusterCount() + 2; ++cluster)
    if (fatEntry(cluster) == 0) ++count;
  return count;
}

uint32_t FatVolume::badClusters() const {
  uint32_t count = 0;
  for (uint32_t cluster = 2; cluster < layout_.clusterCount() + 2; ++cluster)
    if (fatEntry(cluster) == kBadCluster) ++count;
  return count;
}

uint32_t FatVolume::usedSlots() const {
  size_t slots = 0;
  for (const Group& group : groups_) slots += group.slots.size() / kDirectorySlotSize;
  return static_cast<uint32_t>(slots);
}

std::optional<std::vector<uint32_t>> FatVolume::dataClusters(const FileEntry& entry) const {
  const uint32_t clusterBytes = layout_.clusterBytes();
  const uint64_t needed = (uint64_t{entry.size} + clusterBytes - 1) / clusterBytes;
  if (needed > layout_.clusterCount()) return std::nullopt;
  std::vector<uint32_t> clusters;
  clusters.reserve(static_cast<size_t>(needed));
  std::vector<bool> seen(size_t{layout_.clusterCount()} + 2, false);
  uint32_t cluster = entry.firstCluster;
  // At most `needed` steps, each to a cluster not seen before that is part of a chain.
  while (clusters.size() < needed) {
    if (!isDataCluster(cluster) || seen[cluster]) return std::nullopt;
    const uint32_t next = fatEntry(cluster);
    if (next == 0 || next == kBadCluster) return std::nullopt;
    seen[cluster] = true;
    clusters.push_back(cluster);
    cluster = next;
  }
  return clusters;
}

std::vector<uint32_t> FatVolume::clustersToFree(uint32_t first) const {
  std::vector<bool> seen(size_t{layout_.clusterCount()} + 2, false);
  std::vector<uint32_t> clusters;
  for (uint32_t cluster = first; isDataCluster(cluster) && !seen[cluster];
       cluster = fatEntry(cluster)) {
    const uint32_t next = fatEntry(cluster);
    if (next == 0 || next == kBadCluster) break;  // not part of a chain
    seen[cluster] = true;
    clusters.push_back(cluster);
  }
  return clusters;
}

FatStatus FatVolume::readFile(size_t index, std::vector<uint8_t>& data) const {
  if (index >= files_.size()) return FatStatus::NoSuchEntry;
  const FileEntry& entry = files_[index];
  const auto clusters = dataClusters(entry);
  if (!clusters) return FatStatus::BadImage;
  data.assign(entry.size, 0);
  const uint32_t clusterBytes = layout_.clusterBytes();
  size_t done = 0;
  for (size_t i = 0; i < clusters->size();) {
    // Read runs of consecutive clusters at once.
    size_t run = 1;
    while (i + run < clusters->size() && (*clusters)[i + run] == (*clusters)[i] + run) ++run;
    const size_t length = std::min<size_t>(run * clusterBytes, data.size() - done);
    if (!device_.read(layout_.clusterOffset((*clusters)[i]),
                      std::span<uint8_t>(data.data() + done, length)))
      return FatStatus::BadImage;
    done += length;
    i += run;
  }
  return FatStatus::Ok;
}

bool FatVolume::writeData(std::span<const uint32_t> clusters, std::span<const uint8_t> data) {
  const uint32_t clusterBytes = layout_.clusterBytes();
  size_t done = 0;
  for (size_t i = 0; i < clusters.size();) {
    size_t run = 1;
    while (i + run < clusters.size() && clusters[i + run] == clusters[i] + run &&
           (run + 1) * clusterBytes <= kMaxDataWrite)
      ++run;
    const size_t length = std::min<size_t>(run * clusterBytes, data.size() - done);
    const uint64_t offset = layout_.clusterOffset(clusters[i]);
    if (!device_.write(offset, data.subspan(done, length))) return false;
    // Clear the rest of a last, partly used cluster so no old bytes linger in the file's slack.
    if (const size_t slack = run * clusterBytes - length; slack > 0) {
      const std::vector<uint8_t> zeros(slack, 0);
      if (!device_.write(offset + length, zeros)) return false;
    }
    done += length;
    i += run;
  }
  return true;
}

bool FatVolume::writeTables() {
  // The copies lie one after the other: written in one step, they never differ on the device.
  std::vector<uint8_t> tables;
  tables.reserve(fat_.size() * layout_.fatCount);
  for (uint32_t copy = 0; copy < layout_.fatCount; ++copy)
    tables.insert(tables.end(), fat_.begin(), fat_.end());
  return device_.write(uint64_t{layout_.fatStartSector()} * layout_.bytesPerSector, tables);
}

bool FatVolume::writeRoot(const std::vector<Group>& groups) {
  std::vector<uint8_t> root(root_.size(), 0);
  size_t offset = 0;
  for (const Group& group : groups) {
    if (group.slots.size() > root.size() - offset) return false;  // callers checked the room
    std::copy(group.slots.begin(), group.slots.end(), root.begin() + offset);
    offset += group.slots.size();
  }
  // Write only the slots that change.
  const auto first = std::mismatch(root.begin(), root.end(), root_.begin());
  if (first.first == root.end()) return true;
  const size_t begin =
      static_cast<size_t>(first.first - root.begin()) / kDirectorySlotSize * kDirectorySlotSize;
  size_t end = root.size();
  while (end > begin && std::equal(root.begin() + static_cast<std::ptrdiff_t>(end) - 1,
                                   root.begin() + static_cast<std::ptrdiff_t>(end),
                                   root_.begin() + static_cast<std::ptrdiff_t>(end) - 1))
    --end;
  const uint64_t rootOffset = uint64_t{layout_.rootStartSector()} * layout_.bytesPerSector;
  if (!device_.write(rootOffset + begin,
                     std::span<const uint8_t>(root).subspan(begin, end - begin)))
    return false;
  root_ = std::move(root);
  parseRoot();
  return true;
}

std::vector<ShortName> FatVolume::shortNamesExcept(std::optional<size_t> file) const {
  std::vector<ShortName> names;
  for (const Group& group : groups_) {
    if (file && group.file == file) continue;
    const std::span<const uint8_t> last(
        group.slots.data() + group.slots.size() - kDirectorySlotSize, kDirectorySlotSize);
    if (!isLongSlot(last)) names.push_back(shortNameOf(last));
  }
  return names;
}

size_t FatVolume::groupOfFile(size_t file) const {
  for (size_t i = 0; i < groups_.size(); ++i)
    if (groups_[i].file == file) return i;
  return groups_.size();
}

FatStatus FatVolume::addFile(std::string_view name, std::span<const uint8_t> data,
                             DosTimestamp when) {
  if (!isValidLongName(name)) return FatStatus::BadName;
  for (const FileEntry& file : files_)
    if (file.isNamed(name)) return FatStatus::Exists;
  if (data.size() > UINT32_MAX) return FatStatus::DiskFull;
  const std::vector<ShortName> taken = shortNamesExcept(std::nullopt);
  const auto shortName = makeShortName(name, taken);
  if (!shortName) return FatStatus::DirectoryFull;
  const std::u16string longName =
      fitsShortNameExactly(name, *shortName) ? std::u16string{} : *utf8ToUtf16(name);

  const uint32_t clusterBytes = layout_.clusterBytes();
  const size_t needed = (data.size() + clusterBytes - 1) / clusterBytes;
  std::vector<uint32_t> clusters;
  for (uint32_t cluster = 2; cluster < layout_.clusterCount() + 2 && clusters.size() < needed;
       ++cluster)
    if (fatEntry(cluster) == 0) clusters.push_back(cluster);
  if (clusters.size() < needed) return FatStatus::DiskFull;

  std::array<uint8_t, 21> tail{};
  std::span<uint8_t> fields(tail);  // bytes 11..31 of the short entry, offset by 11
  fields[0] = kAttrArchive;
  writeLe16(fields, 14 - 11, when.time);
  writeLe16(fields, 16 - 11, when.date);
  writeLe16(fields, 18 - 11, when.date);
  writeLe16(fields, 22 - 11, when.time);
  writeLe16(fields, 24 - 11, when.date);
  writeLe16(fields, 26 - 11, clusters.empty() ? uint16_t{0} : static_cast<uint16_t>(clusters[0]));
  writeLe32(fields, 28 - 11, static_cast<uint32_t>(data.size()));
  Group group{buildGroup(longName, *shortName, tail), std::nullopt};
  if (usedSlots() + group.slots.size() / kDirectorySlotSize > layout_.rootEntryCount)
    return FatStatus::DirectoryFull;

  if (!writeData(clusters, data)) return reloadAfter(FatStatus::WriteFailed);
  for (size_t i = 0; i < clusters.size(); ++i)
    setFatEntry(clusters[i], i + 1 < clusters.size() ? clusters[i + 1] : kEndOfChain);
  if (!writeTables()) return reloadAfter(FatStatus::WriteFailed);
  std::vector<Group> groups = groups_;
  groups.push_back(std::move(group));
  if (!writeRoot(groups)) return reloadAfter(FatStatus::WriteFailed);
  return FatStatus::Ok;
}

FatStatus FatVolume::removeFile(size_t index) {
  if (index >= files_.size()) return FatStatus::NoSuchEntry;
  const std::vector<uint32_t> clusters = clustersToFree(files_[index].firstCluster);
  std::vector<Group> groups = groups_;
  groups.erase(groups.begin() + static_cast<std::ptrdiff_t>(groupOfFile(index)));
  if (!writeRoot(groups)) return reloadAfter(FatStatus::WriteFailed);
  for (uint32_t cluster : clusters) setFatEntry(cluster, 0);
  if (!writeTables()) return reloadAfter(FatStatus::WriteFailed);
  return FatStatus::Ok;
}

FatStatus FatVolume::renameFile(size_t index, std::string_view newName) {
  if (index >= files_.size()) return FatStatus::NoSuchEntry;
  if (!isValidLongName(newName)) return FatStatus::BadName;
  for (size_t i = 0; i < files_.size(); ++i)
    if (i != index && files_[i].isNamed(newName)) return FatStatus::Exists;
  const auto shortName = makeShortName(newName, shortNamesExcept(index));
  if (!shortName) return FatStatus::DirectoryFull;
  const std::u16string longName =
      fitsShortNameExactly(newName, *shortName) ? std::u16string{} : *utf8ToUtf16(newName);

  const size_t groupIndex = groupOfFile(index);
  const std::vector<uint8_t>& old = groups_[groupIndex].slots;
  const std::span<const uint8_t> tail(old.data() + old.size() - kDirectorySlotSize + 11, 21);
  Group renamed{buildGroup(longName, *shortName, tail), std::nullopt};
  const size_t slotsAfter =
      usedSlots() - old.size() / kDirectorySlotSize + renamed.slots.size() / kDirectorySlotSize;
  if (slotsAfter > layout_.rootEntryCount) return FatStatus::DirectoryFull;
  std::vector<Group> groups = groups_;
  groups[groupIndex] = std::move(renamed);
  if (!writeRoot(groups)) return reloadAfter(FatStatus::WriteFailed);
  return FatStatus::Ok;
}

FatStatus FatVolume::swapFiles(size_t first, size_t second) {
  if (first >= files_.size() || second >= files_.size()) return FatStatus::NoSuchEntry;
  if (first == second) return FatStatus::Ok;
  std::vector<Group> groups = groups_;
  std::swap(groups[groupOfFile(first)], groups[groupOfFile(second)]);
  if (!writeRoot(groups)) return reloadAfter(FatStatus::WriteFailed);
  return FatStatus::Ok;
}

}  // namespace norva::usb
