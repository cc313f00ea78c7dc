// Key names from the layout, and capturing a key with the "请按键" dialog.
#include <gtest/gtest.h>

#include <tuple>

#include "keys/FrmGetKey.h"
#include "keys/modGetKey.h"
#include "support/FakeFormHost.h"
#include "support/FakePlatform.h"

namespace {

constexpr std::int32_t Parameter(int scan, int extended) { return (scan << 16) | (extended << 24); }

TEST(KeyNames, NameTheStoredKeyThroughItsScanCodeAndExtendedFlag) {
  FakePlatform os;
  os.keyNames = {{Parameter(0x4D, 1), "Right"}, {Parameter(0x4D, 0), "Num 6"}, {Parameter(0x58, 0), "F12"},
                 {Parameter(0x36, 1), "右Shift键"}};
  // The keypad 6 shares the right arrow's scan code; the layout names no extended F12 and no plain right Shift.
  for (const auto& [key, extended, name] : std::vector<std::tuple<std::int32_t, std::int32_t, std::string>>{
           {0, 1, ""}, {0x27, 1, "Right"}, {0x27, 0, "Num 6"}, {0x7B, 1, "Undefined Key"}, {0xA1, 0, "Right Shift"},
           {0xA1, 1, "右Shift键"}})
    EXPECT_EQ(modGetKey::KeyName(key, extended), name) << key << "/" << extended;
}

class KeyCaptureTest : public ::testing::Test {
 protected:
  KeyCaptureTest() { CapturedKey = {}; }
  // The user presses a key while the dialog is open; the hook's answers are kept.
  void UserPresses(std::uint32_t vk, std::uint32_t scan, std::uint32_t flags) {
    forms.userSteps.push_back([=, this](ui::Form&) { swallowed.push_back(os.SendKeyboard({vk, scan, flags})); });
  }

  FakePlatform os;
  FakeFormHost forms;
  std::vector<std::intptr_t> swallowed;
  std::int32_t virtualKey = 0, extended = 0;
};

// A key injected by software or without a layout scan code could not be sent back reliably.
TEST_F(KeyCaptureTest, KeysWithAnotherScanCodeAreNamedInAMessageAndLeaveTheVariablesAlone) {
  os.keyNames[Parameter(0x5B, 1)] = "Left Windows";
  for (const auto& [vk, scan, named] : std::vector<std::tuple<std::uint32_t, std::uint32_t, std::string>>{
           {0x41, 0, ""}, {0x5B, 0x5B, "Left Windows"}}) {
    virtualKey = 7;
    extended = 1;
    UserPresses(vk, scan, 1);
    modGetKey::CaptureKey(virtualKey, extended);
    EXPECT_EQ(std::make_pair(virtualKey, extended), std::make_pair(7, 1));
    EXPECT_EQ(os.TakeCalls().back(), "MessageBox(你按下的是 " + named +
                                         ",该键为系统键，执行可能无效，未能启用！若有特殊需求请与开发者联系,Tillervane,0x40)");
  }
}

// The key of an earlier capture never comes back.
TEST_F(KeyCaptureTest, TheFirstKeyIsTakenAndSwallowedTheDialogClosesWithItsHookAndACaptureWithoutAKeyGivesNone) {
  UserPresses(0x27, 0x4D, 1);  // Right arrow
  UserPresses(0x41, 0x1E, 0);  // never reached
  modGetKey::CaptureKey(virtualKey, extended);
  EXPECT_EQ(std::make_pair(virtualKey, extended), std::make_pair(0x27, 1));
  EXPECT_EQ(swallowed, std::vector<std::intptr_t>{1});
  EXPECT_EQ(forms.shown, std::vector<std::string>{"请按键"});
  EXPECT_EQ(os.keyboardHook, nullptr);
  forms.userSteps.clear();
  virtualKey = 0;
  modGetKey::CaptureKey(virtualKey, extended);  // the user closes the dialog
  EXPECT_EQ(virtualKey, 0);
  os.failHookInstall = true;  // without a hook a key release seen by the dialog ends it
  forms.userSteps.push_back([](ui::Form& dialog) { dialog.RaiseKeyUp(0x41, 0); });
  forms.userSteps.push_back([](ui::Form&) { FAIL() << "the dialog stayed open"; });
  modGetKey::CaptureKey(virtualKey, extended);
  EXPECT_EQ(virtualKey, 0);
  // Alt and F10 are released as system keys: the dialog hears those too.
  EXPECT_TRUE(ui::IsKeyRelease(0x0101) && ui::IsKeyRelease(0x0105));   // WM_KEYUP, WM_SYSKEYUP
  EXPECT_FALSE(ui::IsKeyRelease(0x0100) || ui::IsKeyRelease(0x0104));  // the presses
}

}  // namespace
