#include "platform/Platform.h"

#include <cassert>

namespace platform {

namespace {
Platform* installed = nullptr;
}

void SetOs(Platform* platform) { installed = platform; }

Platform& Os() {
  assert(installed != nullptr && "no platform installed");
  return *installed;
}

}  // namespace platform
