#pragma once
// One small owner per kind of handle: it releases the handle when it goes, and
// only a handle that was actually obtained.

#include <windows.h>

#include <utility>

namespace platform::win32 {

template <class Handle, auto Release>
class Owned {
 public:
  Owned() = default;
  explicit Owned(Handle handle) : handle_(handle) {}
  ~Owned() {
    if (handle_ != nullptr) Release(handle_);
  }
  Owned(Owned&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
  Owned& operator=(Owned&& other) noexcept {
    std::swap(handle_, other.handle_);
    return *this;
  }
  Owned(const Owned&) = delete;
  Owned& operator=(const Owned&) = delete;

  Handle get() const { return handle_; }

 private:
  Handle handle_ = nullptr;
};

using KernelHandle = Owned<HANDLE, &::CloseHandle>;
using IconHandle = Owned<HICON, &::DestroyIcon>;
using BitmapHandle = Owned<HBITMAP, &::DeleteObject>;

}  // namespace platform::win32
