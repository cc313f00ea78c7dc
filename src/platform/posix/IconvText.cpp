#include "platform/posix/IconvText.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>

namespace platform::posix {

namespace {

// Bytes of the UTF-8 sequence that starts with `lead` (1 for a stray byte).
std::size_t Utf8SequenceLength(unsigned char lead) {
  if (lead >= 0xF0 && lead < 0xF8) return 4;
  if (lead >= 0xE0) return lead < 0xF0 ? 3 : 1;
  if (lead >= 0xC0) return 2;
  return 1;
}

// Bytes of the code page 936 character that starts with `lead`.
std::size_t Cp936SequenceLength(unsigned char lead) { return lead >= 0x81 && lead <= 0xFE ? 2 : 1; }

// Converts `input`; a character the target cannot hold, or a malformed one,
// becomes "?" and conversion goes on after it.
std::string Convert(const char* to, const char* from, const std::string& input,
                    std::size_t (*sequenceLength)(unsigned char)) {
  iconv_t converter = iconv_open(to, from);
  if (converter == reinterpret_cast<iconv_t>(-1)) return {};
  std::string output;
  char buffer[256];
  char* in = const_cast<char*>(input.data());
  std::size_t inLeft = input.size();
  while (inLeft > 0) {
    char* out = buffer;
    std::size_t outLeft = sizeof buffer;
    const std::size_t result = iconv(converter, &in, &inLeft, &out, &outLeft);
    output.append(buffer, static_cast<std::size_t>(out - buffer));
    if (result != static_cast<std::size_t>(-1) || errno == E2BIG) continue;
    // EILSEQ or EINVAL: skip the character that cannot be converted.
    output.push_back('?');
    const std::size_t skip = std::min(sequenceLength(static_cast<unsigned char>(*in)), inLeft);
    in += skip;
    inLeft -= skip;
    iconv(converter, nullptr, nullptr, nullptr, nullptr);
  }
  iconv_close(converter);
  return output;
}

}  // namespace

std::string IconvText::Utf8ToCp936(const std::string& utf8) {
  return Convert("CP936", "UTF-8", utf8, &Utf8SequenceLength);
}

std::string IconvText::Cp936ToUtf8(const std::string& cp936) {
  return Convert("UTF-8", "CP936", cp936, &Cp936SequenceLength);
}

}  // namespace platform::posix
