#include "device/intel_hex.h"

#include <array>
#include <cstdio>

#include "device/device_messages.h"

namespace norva::device {
namespace {

constexpr int kNotHex = -1;

constexpr std::array<int, 256> makeHexTable() {
  std::array<int, 256> table{};
  for (auto& value : table) value = kNotHex;
  for (int c = '0'; c <= '9'; ++c) table[static_cast<size_t>(c)] = c - '0';
  for (int c = 'A'; c <= 'F'; ++c) table[static_cast<size_t>(c)] = c - 'A' + 10;
  for (int c = 'a'; c <= 'f'; ++c) table[static_cast<size_t>(c)] = c - 'a' + 10;
  return table;
}
constexpr std::array<int, 256> kHexValue = makeHexTable();

constexpr uint8_t kTypeData = 0x00;
constexpr uint8_t kTypeEnd = 0x01;
constexpr uint8_t kTypeSegment = 0x02;
constexpr uint8_t kTypeLinear = 0x04;
// Length, address (two bytes) and type before the data; the checksum after it.
constexpr size_t kHeaderBytes = 4;

bool isBlank(uint8_t c) {
  return c == ' ' || c == '\t';
}

struct Line {
  std::span<const uint8_t> text;  // without its line end
  size_t next = 0;                // where the following line starts
};

Line nextLine(std::span<const uint8_t> text, size_t start) {
  size_t end = start;
  while (end < text.size() && text[end] != '\n' && text[end] != '\r') ++end;
  size_t next = end;
  if (next < text.size()) {
    if (text[next] == '\r' && next + 1 < text.size() && text[next + 1] == '\n')
      next += 2;
    else
      next += 1;
  }
  return {text.subspan(start, end - start), next};
}

// Decodes the record after the ':' into bytes (length, address, type, data, checksum).
HexOutcome decodeRecord(std::span<const uint8_t> digits, std::vector<uint8_t>& bytes) {
  size_t used = digits.size();
  while (used > 0 && isBlank(digits[used - 1])) --used;
  bytes.clear();
  auto byteAt = [&](size_t index, uint8_t& out) {
    const size_t at = 2 * index;
    if (at + 2 > used) {
      for (size_t i = at; i < used; ++i)
        if (kHexValue[digits[i]] == kNotHex) return HexOutcome::NonHexCharacter;
      return HexOutcome::RecordCutShort;
    }
    const int high = kHexValue[digits[at]];
    const int low = kHexValue[digits[at + 1]];
    if (high == kNotHex || low == kNotHex) return HexOutcome::NonHexCharacter;
    out = static_cast<uint8_t>(high * 16 + low);
    return HexOutcome::Converted;
  };
  uint8_t length = 0;
  if (auto outcome = byteAt(0, length); outcome != HexOutcome::Converted) return outcome;
  const size_t total = kHeaderBytes + size_t{length} + 1;
  bytes.resize(total);
  for (size_t i = 0; i < total; ++i)
    if (auto outcome = byteAt(i, bytes[i]); outcome != HexOutcome::Converted) return outcome;
  if (used > 2 * total) {
    for (size_t i = 2 * total; i < used; ++i)
      if (kHexValue[digits[i]] == kNotHex && !isBlank(digits[i]))
        return HexOutcome::NonHexCharacter;
    return HexOutcome::RecordTooLong;
  }
  uint8_t sum = 0;
  for (uint8_t b : bytes) sum = static_cast<uint8_t>(sum + b);
  if (sum != 0) return HexOutcome::BadChecksum;
  return HexOutcome::Converted;
}

}  // namespace

const char* toString(HexOutcome outcome) {
  switch (outcome) {
    case HexOutcome::Converted:
      return "converted";
    case HexOutcome::NonHexCharacter:
      return "non-hex character in a record";
    case HexOutcome::RecordCutShort:
      return "record cut short";
    case HexOutcome::RecordTooLong:
      return "characters after the checksum";
    case HexOutcome::BadChecksum:
      return "bad checksum";
    case HexOutcome::BadAddressRecord:
      return "bad extended address record";
    case HexOutcome::ImageTooLarge:
      return "image larger than 16 MiB";
    case HexOutcome::EmptyImage:
      return "empty image";
    case HexOutcome::CannotReadInput:
      return "cannot read the HEX file";
    case HexOutcome::CannotWriteOutput:
      return "cannot write the image file";
  }
  return "unknown";
}

HexConversion convertIntelHex(std::span<const uint8_t> text, uint32_t imageOffset,
                              size_t maxImageBytes) {
  HexConversion result;
  auto refuse = [&](HexOutcome outcome, size_t line) {
    result.outcome = outcome;
    result.line = line;
    result.image.clear();
    return result;
  };

  size_t pos = 0;
  if (text.size() >= 3 && text[0] == 0xEF && text[1] == 0xBB && text[2] == 0xBF) pos = 3;
  uint64_t base = 0;
  std::vector<uint8_t> record;
  std::vector<uint8_t>& image = result.image;
  for (size_t lineNumber = 1; pos < text.size(); ++lineNumber) {
    const Line line = nextLine(text, pos);
    pos = line.next;
    size_t first = 0;
    while (first < line.text.size() && isBlank(line.text[first])) ++first;
    if (first == line.text.size()) continue;  // blank line
    if (line.text[first] != ':') break;       // not a record: the data ends here
    if (auto outcome = decodeRecord(line.text.subspan(first + 1), record);
        outcome != HexOutcome::Converted)
      return refuse(outcome, lineNumber);

    const size_t length = record[0];
    const uint32_t address = (uint32_t{record[1]} << 8) | record[2];
    const uint8_t type = record[3];
    const std::span<const uint8_t> data(record.data() + kHeaderBytes, length);
    if (type == kTypeEnd) break;
    if (type == kTypeSegment || type == kTypeLinear) {
      if (length != 2) return refuse(HexOutcome::BadAddressRecord, lineNumber);
      const uint64_t value = (uint64_t{data[0]} << 8) | data[1];
      // A linear record's own address field is added as the converter always did; in
      // well-formed files it is 0.
      base = type == kTypeLinear ? (value << 16) + address : value << 4;
      continue;
    }
    if (type != kTypeData) continue;  // start addresses and unknown types carry no image data

    const uint64_t start = base + address;
    const uint64_t end = start + length;
    if (end <= imageOffset) continue;
    const uint64_t from = start < imageOffset ? imageOffset : start;
    const uint64_t imageEnd = end - imageOffset;
    if (imageEnd > maxImageBytes) return refuse(HexOutcome::ImageTooLarge, lineNumber);
    if (imageEnd > image.size()) image.resize(static_cast<size_t>(imageEnd), 0x00);
    const auto skip = static_cast<size_t>(from - start);
    std::copy(data.begin() + static_cast<std::ptrdiff_t>(skip), data.end(),
              image.begin() + static_cast<std::ptrdiff_t>(from - imageOffset));
  }
  if (image.empty()) return refuse(HexOutcome::EmptyImage, 0);
  result.outcome = HexOutcome::Converted;
  return result;
}

std::string hexRefusalText(const HexConversion& conversion) {
  std::string text = kHexRefusedPrefix;
  if (conversion.line > 0) {
    char line[64];
    std::snprintf(line, sizeof line, kHexLineText, conversion.line);
    text += line;
  }
  switch (conversion.outcome) {
    case HexOutcome::NonHexCharacter:
      return text + kHexNonHexCharacter;
    case HexOutcome::RecordCutShort:
      return text + kHexRecordCutShort;
    case HexOutcome::RecordTooLong:
      return text + kHexRecordTooLong;
    case HexOutcome::BadChecksum:
      return text + kHexBadChecksum;
    case HexOutcome::BadAddressRecord:
      return text + kHexBadAddressRecord;
    case HexOutcome::ImageTooLarge:
      return text + kHexImageTooLarge;
    case HexOutcome::EmptyImage:
      return text + kHexEmptyImage;
    case HexOutcome::CannotReadInput:
      return text + kHexCannotRead;
    case HexOutcome::CannotWriteOutput:
      return text + kHexCannotWrite;
    case HexOutcome::Converted:
      break;
  }
  return text;
}

}  // namespace norva::device
