#include "base/gbk_codec.h"

#include <iconv.h>

#include <cerrno>
#include <stdexcept>
#include <vector>

namespace norva {
namespace {

constexpr const char* kGbk = "CP936";

// One iconv conversion descriptor, closed when it goes out of scope.
class IconvHandle {
 public:
  IconvHandle(const char* to, const char* from) : handle_(iconv_open(to, from)) {
    if (handle_ == reinterpret_cast<iconv_t>(-1))
      throw std::runtime_error(std::string("iconv cannot convert ") + from + " to " + to);
  }
  ~IconvHandle() { iconv_close(handle_); }
  IconvHandle(const IconvHandle&) = delete;
  IconvHandle& operator=(const IconvHandle&) = delete;

  // Converts the whole input. With `lossy`, an invalid input unit is skipped (its length given
  // by `skipUnit`) and `replacement` written instead; otherwise the conversion fails.
  std::optional<std::string> convert(std::string_view input, bool lossy, size_t skipUnit,
                                     std::string_view replacement) {
    iconv(handle_, nullptr, nullptr, nullptr, nullptr);
    std::string out;
    std::vector<char> chunk(4096);
    char* in = const_cast<char*>(input.data());
    size_t inLeft = input.size();
    while (inLeft > 0) {
      char* outPtr = chunk.data();
      size_t outLeft = chunk.size();
      size_t rc = iconv(handle_, &in, &inLeft, &outPtr, &outLeft);
      out.append(chunk.data(), chunk.size() - outLeft);
      if (rc != static_cast<size_t>(-1)) continue;
      if (errno == E2BIG) continue;
      if (!lossy) return std::nullopt;
      size_t skip = skipUnit < inLeft ? skipUnit : inLeft;
      if (errno == EILSEQ && skipUnit == 1 && inLeft >= 2) {
        // A well-formed but unmapped two-byte character is replaced as one character.
        const auto lead = static_cast<unsigned char>(in[0]);
        const auto trail = static_cast<unsigned char>(in[1]);
        if (lead >= 0x81 && lead <= 0xFE && trail >= 0x40 && trail <= 0xFE && trail != 0x7F)
          skip = 2;
      }
      in += skip;
      inLeft -= skip;
      out.append(replacement);
      iconv(handle_, nullptr, nullptr, nullptr, nullptr);
    }
    char* outPtr = chunk.data();
    size_t outLeft = chunk.size();
    iconv(handle_, nullptr, nullptr, &outPtr, &outLeft);
    out.append(chunk.data(), chunk.size() - outLeft);
    return out;
  }

  // Decodes the whole input into `out`; undecodable stretches are left to `undecodable`.
  void decodeInto(std::string_view input, std::vector<uint8_t>& out,
                  const GbkUndecodable& undecodable) {
    iconv(handle_, nullptr, nullptr, nullptr, nullptr);
    char* in = const_cast<char*>(input.data());
    size_t inLeft = input.size();
    while (inLeft > 0) {
      // Room for the rest of the input at two bytes a byte: one code unit never comes from less.
      const size_t used = out.size();
      out.resize(used + 2 * inLeft);
      char* outPtr = reinterpret_cast<char*>(out.data()) + used;
      size_t outLeft = out.size() - used;
      const size_t rc = iconv(handle_, &in, &inLeft, &outPtr, &outLeft);
      out.resize(out.size() - outLeft);
      if (rc != static_cast<size_t>(-1) || errno == E2BIG) continue;
      size_t skip = undecodable(std::string_view(in, inLeft), out);
      if (skip == 0) skip = 1;
      if (skip > inLeft) skip = inLeft;
      in += skip;
      inLeft -= skip;
      iconv(handle_, nullptr, nullptr, nullptr, nullptr);
    }
  }

 private:
  iconv_t handle_;
};

}  // namespace

std::string gbkToUtf8(std::string_view gbk) {
  IconvHandle cd("UTF-8", kGbk);
  return *cd.convert(gbk, true, 1, "\xEF\xBF\xBD");
}

std::u16string gbkToUtf16(std::string_view gbk) {
  IconvHandle cd("UTF-16LE", kGbk);
  const char16_t replacement = u'\uFFFD';
  std::string bytes =
      *cd.convert(gbk, true, 1, std::string_view(reinterpret_cast<const char*>(&replacement), 2));
  std::u16string out(bytes.size() / 2, u'\0');
  for (size_t i = 0; i < out.size(); ++i)
    out[i] = static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                   (static_cast<unsigned char>(bytes[2 * i + 1]) << 8));
  return out;
}

void appendGbkAsUtf16le(std::string_view gbk, std::vector<uint8_t>& out,
                        const GbkUndecodable& undecodable) {
  IconvHandle cd("UTF-16LE", kGbk);
  cd.decodeInto(gbk, out, undecodable);
}

std::optional<std::string> utf8ToGbk(std::string_view utf8) {
  IconvHandle cd(kGbk, "UTF-8");
  return cd.convert(utf8, false, 1, {});
}

std::optional<std::string> utf16ToGbk(std::u16string_view utf16) {
  std::string littleEndian(utf16.size() * 2, '\0');
  for (size_t i = 0; i < utf16.size(); ++i) {
    littleEndian[2 * i] = static_cast<char>(utf16[i] & 0xFF);
    littleEndian[2 * i + 1] = static_cast<char>(utf16[i] >> 8);
  }
  IconvHandle cd(kGbk, "UTF-16LE");
  return cd.convert(littleEndian, false, 2, {});
}

}  // namespace norva
