// Win32 views: the horizontal slider.
#include "ui/win32/ViewSupport.h"

#include <commctrl.h>

namespace ui::win32 {

namespace {

// A horizontal scroll bar control: arrows and trough step the value, a drag
// scrolls it, and letting go of the thumb ends the drag.
class ScrollBarView final : public ChildView {
 public:
  ScrollBarView(HScrollBar& model, HWND parent, UINT_PTR id) : ChildView(model, id), bar_(model) {
    CreateChild(parent, L"SCROLLBAR", SBS_HORZ | WS_TABSTOP);
  }
  void Refresh() override {
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_POS;
    info.nMin = bar_.Min;
    info.nMax = bar_.Max;
    info.nPos = bar_.Value();
    ::SetScrollInfo(window_, SB_CTL, &info, TRUE);
    RefreshCommon();
  }
  void OnScroll(WORD request) override {
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_TRACKPOS;
    ::GetScrollInfo(window_, SB_CTL, &info);
    const int value = bar_.Value();
    switch (request) {
      case SB_LINELEFT: bar_.UserChange(value - bar_.SmallChange); break;
      case SB_LINERIGHT: bar_.UserChange(value + bar_.SmallChange); break;
      case SB_PAGELEFT: bar_.UserChange(value - bar_.LargeChange); break;
      case SB_PAGERIGHT: bar_.UserChange(value + bar_.LargeChange); break;
      case SB_LEFT: bar_.UserChange(bar_.Min); break;
      case SB_RIGHT: bar_.UserChange(bar_.Max); break;
      case SB_THUMBTRACK: bar_.UserScroll(info.nTrackPos); break;
      case SB_THUMBPOSITION: bar_.UserChange(info.nTrackPos); break;
      default: return;
    }
    // The value may be the old one (a step past an end, a drag back home).
    Refresh();
  }

 private:
  HScrollBar& bar_;
};

}  // namespace

std::unique_ptr<ChildView> MakeView(HScrollBar& model, HWND parent, UINT_PTR id) {
  return std::make_unique<ScrollBarView>(model, parent, id);
}

}  // namespace ui::win32
