#pragma once
// Intel HEX to a flat firmware image. The image holds the bytes from an image offset on: data
// below the offset is dropped and holes between records are filled with 0x00. Every record is
// verified (hex digits, length, checksum); one bad record refuses the whole file, naming its
// line, so a damaged file is never sent to the player.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace norva::device {

// Where each firmware kind's image starts in the address space of the HEX file.
inline constexpr uint32_t kCodecImageOffset = 0x2000;
inline constexpr uint32_t kBootImageOffset = 0;
// The largest image the player can take; anything larger is refused.
inline constexpr size_t kMaxFirmwareImageBytes = size_t{16} * 1024 * 1024;

enum class HexOutcome {
  Converted,
  NonHexCharacter,   // a record holds a character that is not a hex digit
  RecordCutShort,    // fewer digits than the record's length byte asks for
  RecordTooLong,     // more characters after the checksum than blanks
  BadChecksum,       // the record's bytes do not sum to 0 modulo 256
  BadAddressRecord,  // an extended address record whose data is not two bytes
  ImageTooLarge,     // the image would pass kMaxFirmwareImageBytes
  EmptyImage,        // no data at or above the image offset
  CannotReadInput,   // file level: the HEX file cannot be read (or is absurdly large)
  CannotWriteOutput  // file level: the image file cannot be written
};

const char* toString(HexOutcome outcome);

struct HexConversion {
  HexOutcome outcome = HexOutcome::EmptyImage;
  size_t line = 0;  // 1-based line of the refused record, 0 when no single line is at fault
  std::vector<uint8_t> image;  // the image when Converted, else empty
};

// Converts the text of an Intel HEX file. Records end at LF, CR LF or a lone CR; blank lines
// and a UTF-8 byte-order mark at the start are skipped. Reading ends at the end-of-file record,
// at the end of the text, or at the first non-blank line that does not begin with ":".
// Types 00 (data), 01 (end), 02 (extended segment address) and 04 (extended linear address)
// are honoured; 03, 05 and unknown types are checked and skipped.
HexConversion convertIntelHex(std::span<const uint8_t> text, uint32_t imageOffset,
                              size_t maxImageBytes = kMaxFirmwareImageBytes);

// The text shown to the user for a refused conversion (UTF-8), naming the line when known.
std::string hexRefusalText(const HexConversion& conversion);

}  // namespace norva::device
