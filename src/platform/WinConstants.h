#pragma once
// The numeric values of the Windows constants the portable code passes to or
// reads from the platform. Named apart from <windows.h>'s macros so both can be
// included together.

#include <cstdint>

namespace wincode {

// The hook code of an event to act on.
inline constexpr int HcAction = 0;

// Messages seen by the low-level hooks.
inline constexpr std::uint32_t WmKeyUp = 0x0101;
inline constexpr std::uint32_t WmSysKeyUp = 0x0105;  // Alt, F10 and keys held with Alt
inline constexpr std::uint32_t WmMouseMove = 0x0200;
inline constexpr std::uint32_t WmLButtonDown = 0x0201;
inline constexpr std::uint32_t WmLButtonUp = 0x0202;
inline constexpr std::uint32_t WmRButtonDown = 0x0204;
inline constexpr std::uint32_t WmRButtonUp = 0x0205;
inline constexpr std::uint32_t WmMButtonDown = 0x0207;
inline constexpr std::uint32_t WmMButtonUp = 0x0208;
inline constexpr std::uint32_t WmMouseWheel = 0x020A;

// keybd_event flags.
inline constexpr std::uint32_t KeyEventExtendedKey = 0x0001;
inline constexpr std::uint32_t KeyEventKeyUp = 0x0002;

// mouse_event flags.
inline constexpr std::uint32_t MouseEventMove = 0x0001;
inline constexpr std::uint32_t MouseEventLeftDown = 0x0002;
inline constexpr std::uint32_t MouseEventLeftUp = 0x0004;
inline constexpr std::uint32_t MouseEventRightDown = 0x0008;
inline constexpr std::uint32_t MouseEventRightUp = 0x0010;
inline constexpr std::uint32_t MouseEventMiddleDown = 0x0020;
inline constexpr std::uint32_t MouseEventMiddleUp = 0x0040;
inline constexpr std::uint32_t MouseEventAbsolute = 0x8000;

// MapVirtualKey map type: virtual key to scan code.
inline constexpr std::uint32_t MapVkToVsc = 0;

// Process priority classes.
inline constexpr std::uint32_t NormalPriorityClass = 0x0020;
inline constexpr std::uint32_t HighPriorityClass = 0x0080;

// Virtual keys.
inline constexpr std::int32_t VkF9 = 0x78;
inline constexpr std::int32_t VkF12 = 0x7B;
inline constexpr std::int32_t VkRightShift = 0xA1;

// InitCommonControlsEx class: the extended combo box.
inline constexpr std::uint32_t IccUserExClasses = 0x0200;

}  // namespace wincode

namespace platform {

// Message box styles, the Windows MB_ values.
namespace mb {
inline constexpr std::uint32_t Ok = 0x0000;
inline constexpr std::uint32_t OkCancel = 0x0001;
inline constexpr std::uint32_t IconStop = 0x0010;
inline constexpr std::uint32_t IconInformation = 0x0040;
inline constexpr std::uint32_t DefaultButton2 = 0x0100;
inline constexpr std::uint32_t SystemModal = 0x1000;
}  // namespace mb

// Message box answers, the Windows ID values.
namespace answer {
inline constexpr int Ok = 1;
inline constexpr int Cancel = 2;
}  // namespace answer

}  // namespace platform
