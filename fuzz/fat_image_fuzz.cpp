// Arbitrary bytes as a drive image: open it, list it, read every file, build the records, then
// change it (remove, add, rename, swap) as the player library would. Nothing may crash, and a
// file read back must have the size its entry gives.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "usb/block_device.h"
#include "usb/fat_volume.h"
#include "usb/player_records.h"

using namespace norva::usb;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  MemoryBlockDevice device(std::vector<uint8_t>(data, data + size));
  auto volume = FatVolume::open(device);
  if (!volume) {
    (void)unformattedMediumRecord(MediumType::Nand, size);
    return 0;
  }
  (void)mediumRecordOf(*volume, MediumType::MmcSd, size);
  (void)summaryOf(*volume, true);
  std::vector<uint8_t> contents;
  for (size_t i = 0; i < volume->files().size(); ++i) {
    (void)directoryEntryRecordOf(volume->files()[i]);
    if (volume->readFile(i, contents) == FatStatus::Ok &&
        contents.size() != volume->files()[i].size)
      __builtin_trap();
  }
  const size_t count = volume->files().size();
  if (count > 1) (void)volume->swapFiles(0, count - 1);
  if (count > 0) (void)volume->renameFile(0, "a renamed file.mp3");
  if (count > 0) (void)volume->removeFile(0);
  (void)volume->addFile("added song.mp3", std::vector<uint8_t>(3000, 0x55), {});
  for (size_t i = 0; i < volume->files().size(); ++i) (void)volume->readFile(i, contents);
  return 0;
}
