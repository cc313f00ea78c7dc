#include <windows.h>

#include <algorithm>

#include "platform/win32/Win32Parts.h"

namespace platform::win32 {

namespace {

// The refusals a user meets where the program may not write: a protected
// folder or a read-only file, a write-protected medium, a read-only share.
bool IsAccessDenied(DWORD error) {
  return error == ERROR_ACCESS_DENIED || error == ERROR_WRITE_PROTECT || error == ERROR_NETWORK_ACCESS_DENIED;
}

bool Fail(FileFailure& failure) {
  const DWORD error = ::GetLastError();
  failure = {DescribeError(error), IsAccessDenied(error)};
  return false;
}

bool SeekToStart(HANDLE file, FileFailure& failure) {
  LARGE_INTEGER start{};
  return ::SetFilePointerEx(file, start, nullptr, FILE_BEGIN) || Fail(failure);
}

}  // namespace

std::wstring FinalPathOf(const std::wstring& path) {
  // No access asked for: only the name is wanted, and a running program's file may be opened so.
  HANDLE file = ::CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (file == INVALID_HANDLE_VALUE) return {};
  std::wstring final(32768, L'\0');
  const DWORD length = ::GetFinalPathNameByHandleW(file, final.data(), static_cast<DWORD>(final.size()),
                                                   FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
  ::CloseHandle(file);
  if (length == 0 || length >= final.size()) return {};
  final.resize(length);
  // "\\?\C:\Games" is "C:\Games"; "\\?\UNC\server\share" is "\\server\share".
  if (final.rfind(L"\\\\?\\UNC\\", 0) == 0) return L"\\\\" + final.substr(8);
  if (final.rfind(L"\\\\?\\", 0) == 0) return final.substr(4);
  return final;
}

namespace {

class RealFiles final : public Files {
 public:
  std::string FinalPath(const std::string& path) override { return Narrow(FinalPathOf(Widen(path))); }

  bool Exists(const std::string& path) override {
    const DWORD attributes = ::GetFileAttributesW(Widen(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
  }

  FileHandle OpenReadWrite(const std::string& path, FileFailure& failure) override {
    HANDLE file = ::CreateFileW(Widen(path).c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
      Fail(failure);
      return 0;
    }
    return reinterpret_cast<FileHandle>(file);
  }

  // In chunks until the end or the bound: the file's size decides no allocation.
  bool ReadAll(FileHandle handle, std::vector<std::uint8_t>& content, FileFailure& failure) override {
    HANDLE file = reinterpret_cast<HANDLE>(handle);
    content.clear();
    if (!SeekToStart(file, failure)) return false;
    constexpr std::size_t kChunk = 64u << 10;
    while (content.size() < kMostBytesRead) {
      const std::size_t done = content.size();
      content.resize(done + std::min(kChunk, kMostBytesRead - done));
      DWORD read = 0;
      const bool ok = ::ReadFile(file, content.data() + done, static_cast<DWORD>(content.size() - done), &read, nullptr);
      content.resize(done + read);
      if (!ok) return Fail(failure);
      if (read == 0) break;
    }
    return true;
  }

  bool WriteFromStart(FileHandle handle, const std::vector<std::uint8_t>& content,
                      FileFailure& failure) override {
    HANDLE file = reinterpret_cast<HANDLE>(handle);
    if (!SeekToStart(file, failure)) return false;
    std::size_t done = 0;
    while (done < content.size()) {
      DWORD written = 0;
      const auto chunk = static_cast<DWORD>(std::min<std::size_t>(content.size() - done, 1u << 20));
      if (!::WriteFile(file, content.data() + done, chunk, &written, nullptr)) return Fail(failure);
      done += written;
    }
    return true;
  }

  bool Close(FileHandle handle, FileFailure& failure) override {
    return ::CloseHandle(reinterpret_cast<HANDLE>(handle)) || Fail(failure);
  }

  bool Delete(const std::string& path, FileFailure& failure) override {
    return ::DeleteFileW(Widen(path).c_str()) || Fail(failure);
  }

  bool ReadStart(const std::string& path, std::size_t limit, std::vector<std::uint8_t>& content,
                 FileFailure& failure) override {
    HANDLE file = ::CreateFileW(Widen(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return Fail(failure);
    content.clear();
    bool ok = true;
    while (ok && content.size() < limit) {
      const std::size_t done = content.size();
      content.resize(done + std::min<std::size_t>(limit - done, 64u << 10));
      DWORD read = 0;
      ok = ::ReadFile(file, content.data() + done, static_cast<DWORD>(content.size() - done), &read, nullptr) ||
           Fail(failure);
      content.resize(done + read);
      if (read == 0) break;
    }
    ::CloseHandle(file);
    return ok;
  }

  bool WriteNew(const std::string& path, const std::vector<std::uint8_t>& content, FileFailure& failure) override {
    HANDLE file = ::CreateFileW(Widen(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                nullptr);
    if (file == INVALID_HANDLE_VALUE) return Fail(failure);
    DWORD written = 0;
    bool ok = ::WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr) || Fail(failure);
    if (ok && written != content.size()) {
      ::SetLastError(ERROR_HANDLE_DISK_FULL);
      ok = Fail(failure);
    }
    ok = (::CloseHandle(file) || Fail(failure)) && ok;
    return ok;
  }
};

}  // namespace

Files& Win32Files() {
  static RealFiles files;
  return files;
}

}  // namespace platform::win32
