// libFuzzer target for the profile file's reader: any bytes are read without
// reading outside them, and a profile it accepts is written and read back
// unchanged, with no line skipped.
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>

#include "platform/posix/IconvText.h"
#include "settings/ProfileText.h"

namespace {

std::string KeyName(std::int32_t code, std::int32_t) { return code == 0 ? std::string() : "K"; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static platform::posix::IconvText text;
  const profile_text::Reading reading = profile_text::ReadProfile(std::span(data, size), text);
  if (reading.refusal) return 0;
  const profile_text::Reading again = profile_text::ReadProfile(profile_text::WriteProfile(reading.game, KeyName), text);
  if (again.refusal || again.skippedLines != 0 || !(again.game == reading.game)) std::abort();
  return 0;
}
