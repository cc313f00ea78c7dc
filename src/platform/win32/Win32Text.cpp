#include <windows.h>

#include "platform/win32/Win32Parts.h"

namespace platform::win32 {

namespace {

constexpr UINT kChineseCodePage = 936;

std::wstring ToWide(UINT codePage, const std::string& text) {
  if (text.empty()) return {};
  const int size = static_cast<int>(text.size());
  const int length = ::MultiByteToWideChar(codePage, 0, text.data(), size, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(length > 0 ? length : 0), L'\0');
  if (length > 0) ::MultiByteToWideChar(codePage, 0, text.data(), size, wide.data(), length);
  return wide;
}

std::string FromWide(UINT codePage, const std::wstring& wide) {
  if (wide.empty()) return {};
  const int size = static_cast<int>(wide.size());
  const int length = ::WideCharToMultiByte(codePage, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
  std::string text(static_cast<std::size_t>(length > 0 ? length : 0), '\0');
  if (length > 0) ::WideCharToMultiByte(codePage, 0, wide.data(), size, text.data(), length, nullptr, nullptr);
  return text;
}

// Code page 936 is named explicitly, so the file reads the same on every
// system code page; unmapped characters become the code page's default, "?".
class RealText final : public Text {
 public:
  std::string Utf8ToCp936(const std::string& utf8) override {
    return FromWide(kChineseCodePage, ToWide(CP_UTF8, utf8));
  }
  std::string Cp936ToUtf8(const std::string& cp936) override {
    return FromWide(CP_UTF8, ToWide(kChineseCodePage, cp936));
  }
};

}  // namespace

std::wstring Widen(const std::string& utf8) { return ToWide(CP_UTF8, utf8); }
std::string Narrow(const std::wstring& utf16) { return FromWide(CP_UTF8, utf16); }

std::string DescribeError(unsigned long errorCode) {
  wchar_t* buffer = nullptr;
  const DWORD length = ::FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
      errorCode, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  std::wstring text = length > 0 && buffer != nullptr ? std::wstring(buffer, length) : std::wstring();
  if (buffer != nullptr) ::LocalFree(buffer);
  while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' ')) text.pop_back();
  if (text.empty()) return "Error " + std::to_string(errorCode);
  return Narrow(text);
}

Text& Win32Text() {
  static RealText text;
  return text;
}

}  // namespace platform::win32
