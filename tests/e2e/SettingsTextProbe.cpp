// Test-only Windows program, never shipped: converts the code page 936 samples
// of the native tests as the settings file does, through the system's own
// conversion, and checks that it gives the same bytes both ways. Prints one
// line per sample; exits 1 if any differ.
#include <cstdio>
#include <string>

#include "platform/win32/Win32Platform.h"
#include "settings/SettingsCodec.h"
#include "unit/Cp936Samples.h"

namespace {

std::string HexOf(const std::string& bytes) {
  std::string hex;
  char byte[4];
  for (unsigned char c : bytes) {
    std::snprintf(byte, sizeof byte, "%02X ", c);
    hex += byte;
  }
  return hex;
}

}  // namespace

int main() {
  platform::Text& text = platform::win32::Win32Platform().text;
  int differ = 0;
  for (const Cp936Sample& row : Cp936Samples()) {
    const std::string bytes = settings_codec::ToFileText(row.utf8, text);
    const std::string back = settings_codec::FromFileText(HexText(row.cp936), text);
    const bool same = bytes == HexText(row.cp936) && back == row.back;
    differ += same ? 0 : 1;
    std::printf("%s %s: %s| %s\n", same ? "same" : "DIFFERENT", row.what, HexOf(bytes).c_str(),
                HexOf(back).c_str());
  }
  std::printf("%d of %d samples differ\n", differ, static_cast<int>(Cp936Samples().size()));
  return differ == 0 ? 0 : 1;
}
