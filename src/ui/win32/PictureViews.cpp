// Win32 views: frames and pictures.
#include "ui/win32/ViewSupport.h"

#include <commctrl.h>

namespace ui::win32 {

namespace {

// A group box, kept below every other control of the form and clipped by
// them, so that it never paints over what it surrounds. The form clips its
// children out of its own painting, so the box fills its inside itself.
class FrameView final : public ChildView {
 public:
  FrameView(Frame& model, HWND parent, UINT_PTR id) : ChildView(model, id), frame_(model) {
    CreateChild(parent, L"BUTTON", BS_GROUPBOX | WS_CLIPSIBLINGS);
    ::SetWindowPos(window_, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ::SetWindowSubclass(window_, &FrameView::EraseProc, 0, 0);
  }
  ~FrameView() override { ::RemoveWindowSubclass(window_, &FrameView::EraseProc, 0); }
  void Refresh() override {
    SetTextIfDifferent(window_, Literal(frame_.Caption()));
    RefreshCommon();
  }

 private:
  static LRESULT CALLBACK EraseProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    if (message != WM_ERASEBKGND) return ::DefSubclassProc(window, message, wParam, lParam);
    RECT inside{};
    ::GetClientRect(window, &inside);
    ::FillRect(reinterpret_cast<HDC>(wParam), &inside, ::GetSysColorBrush(COLOR_BTNFACE));
    return TRUE;
  }

  Frame& frame_;
};

// The picture, drawn once at the control's size with the system's smoothing.
class ImageView final : public ChildView {
 public:
  ImageView(Image& model, HWND parent, UINT_PTR id) : ChildView(model, id), image_(model) {
    CreateChild(parent, L"STATIC", SS_BITMAP | SS_CENTERIMAGE);
    bitmap_ = Scaled();
    if (bitmap_ != nullptr) ::SendMessageW(window_, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap_));
  }
  // The window goes before the bitmap it shows.
  ~ImageView() override {
    if (window_ != nullptr) {
      ::RemoveWindowSubclass(window_, PointerProc, 0);
      UnnameWindow(window_);
      ::DestroyWindow(window_);
      window_ = nullptr;
    }
    if (bitmap_ != nullptr) ::DeleteObject(bitmap_);
  }
  void Refresh() override { RefreshCommon(); }

 private:
  HBITMAP Scaled() const {
    if (image_.Picture == 0) return nullptr;
    auto original = static_cast<HBITMAP>(::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(image_.Picture),
                                                      IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (original == nullptr || !image_.Stretch) return original;
    BITMAP size{};
    ::GetObjectW(original, sizeof size, &size);
    const int width = ToPixels(image_.Width), height = ToPixels(image_.Height);
    HDC screen = ::GetDC(nullptr);
    HDC from = ::CreateCompatibleDC(screen), to = ::CreateCompatibleDC(screen);
    HBITMAP scaled = ::CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ oldFrom = ::SelectObject(from, original), oldTo = ::SelectObject(to, scaled);
    ::SetStretchBltMode(to, HALFTONE);
    ::SetBrushOrgEx(to, 0, 0, nullptr);
    ::StretchBlt(to, 0, 0, width, height, from, 0, 0, size.bmWidth, size.bmHeight, SRCCOPY);
    ::SelectObject(from, oldFrom);
    ::SelectObject(to, oldTo);
    ::DeleteDC(from);
    ::DeleteDC(to);
    ::ReleaseDC(nullptr, screen);
    ::DeleteObject(original);
    return scaled;
  }

  Image& image_;
  HBITMAP bitmap_ = nullptr;
};

}  // namespace

std::unique_ptr<ChildView> MakeView(Frame& model, HWND parent, UINT_PTR id) {
  return std::make_unique<FrameView>(model, parent, id);
}

std::unique_ptr<ChildView> MakeView(Image& model, HWND parent, UINT_PTR id) {
  return std::make_unique<ImageView>(model, parent, id);
}

}  // namespace ui::win32
