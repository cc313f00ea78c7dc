#pragma once
// Code page 936 conversion on systems other than Windows, through iconv, so that
// the native build writes the settings file's texts as the Windows build does.

#include "platform/Platform.h"

namespace platform::posix {

class IconvText final : public Text {
 public:
  std::string Utf8ToCp936(const std::string& utf8) override;
  std::string Cp936ToUtf8(const std::string& cp936) override;
};

}  // namespace platform::posix
