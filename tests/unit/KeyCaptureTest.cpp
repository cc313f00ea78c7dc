#include <gtest/gtest.h>

#include "keys/FrmGetKey.h"
#include "keys/modGetKey.h"
#include "support/FakeFormHost.h"
#include "support/FakePlatform.h"

namespace {

const std::string kRefusalTail = ",该键为系统键，执行可能无效，未能启用！若有特殊需求请与开发者联系";

class KeyCaptureTest : public ::testing::Test {
 protected:
  KeyCaptureTest() {
    os.keyNames[(0x5B << 16) | (1 << 24)] = "Left Windows";
    CapturedKey = {};
  }
  // The user presses a key while the dialog is open.
  void UserPresses(std::uint32_t vk, std::uint32_t scan, std::uint32_t flags) {
    forms.userSteps.push_back([this, vk, scan, flags](ui::Form&) { swallowed.push_back(os.SendKeyboard({vk, scan, flags, 0, 0})); });
  }
  std::vector<std::string> MessageBoxes() {
    std::vector<std::string> boxes;
    for (auto& call : os.TakeCalls())
      if (call.rfind("MessageBox", 0) == 0) boxes.push_back(call);
    return boxes;
  }

  FakePlatform os;
  FakeFormHost forms;
  std::vector<std::intptr_t> swallowed;
  std::int32_t virtualKey = 0, extended = 0;
};

TEST_F(KeyCaptureTest, TheFirstKeyIsTakenSwallowedAndTheDialogCloses) {
  UserPresses(0x27, 0x4D, 1);  // Right arrow
  modGetKey::CaptureKey(virtualKey, extended);
  EXPECT_EQ(virtualKey, 0x27);
  EXPECT_EQ(extended, 1);
  EXPECT_EQ(swallowed, (std::vector<std::intptr_t>{1}));
  EXPECT_EQ(forms.shown, (std::vector<std::string>{"请按键"}));
  EXPECT_EQ(os.installedKeyboardHook, 0u);
  EXPECT_EQ(KeyboardHookHandle, 0u);
  EXPECT_TRUE(MessageBoxes().empty());
}

struct RefusedCase {
  std::uint32_t vk, scan, flags;
  std::string named;
};

void PrintTo(const RefusedCase& row, std::ostream* out) { *out << row.vk << "/" << row.scan; }

class RefusedKeys : public KeyCaptureTest, public ::testing::WithParamInterface<RefusedCase> {};

TEST_P(RefusedKeys, AreNamedInAMessageAndLeaveTheVariablesAlone) {
  virtualKey = 7;
  extended = 1;
  UserPresses(GetParam().vk, GetParam().scan, GetParam().flags);
  modGetKey::CaptureKey(virtualKey, extended);
  EXPECT_EQ(virtualKey, 7);
  EXPECT_EQ(extended, 1);
  EXPECT_EQ(MessageBoxes(), (std::vector<std::string>{"MessageBox(你按下的是 " + GetParam().named + kRefusalTail +
                                                      "|Tillervane|0x40)"}));
}

INSTANTIATE_TEST_SUITE_P(Rows, RefusedKeys,
                         ::testing::Values(RefusedCase{0x41, 0, 0, ""},                 // injected, no scan code
                                           RefusedCase{0x5B, 0x5B, 1, "Left Windows"}));  // no layout scan code

TEST_F(KeyCaptureTest, TheCloseBoxReturnsNothingAndNoKeyLeaksIntoTheNextCapture) {
  UserPresses(0x41, 0x1E, 0);
  modGetKey::CaptureKey(virtualKey, extended);
  ASSERT_EQ(virtualKey, 0x41);

  std::int32_t nextKey = 0, nextExtended = 0;
  modGetKey::CaptureKey(nextKey, nextExtended);  // the user closes the dialog
  EXPECT_EQ(nextKey, 0);
  EXPECT_EQ(nextExtended, 0);
  EXPECT_EQ(os.installedKeyboardHook, 0u);
}

TEST_F(KeyCaptureTest, WithoutAHookAKeyReleaseSeenByTheDialogEndsTheCaptureEmpty) {
  os.failHookInstall = true;
  forms.userSteps.push_back([](ui::Form& dialog) { dialog.RaiseKeyUp(0x41, 0); });
  forms.userSteps.push_back([](ui::Form&) { FAIL() << "the dialog stayed open"; });
  modGetKey::CaptureKey(virtualKey, extended);
  EXPECT_EQ(virtualKey, 0);
  EXPECT_TRUE(MessageBoxes().empty());
  // Alt and F10 are released as system keys: the dialog hears those too.
  EXPECT_TRUE(ui::IsKeyRelease(0x0101) && ui::IsKeyRelease(0x0105));  // WM_KEYUP, WM_SYSKEYUP
  EXPECT_FALSE(ui::IsKeyRelease(0x0100) || ui::IsKeyRelease(0x0104));  // the presses
}

TEST_F(KeyCaptureTest, AHookCallWithAnotherCodeClosesTheDialogAndCapturesNothing) {
  forms.userSteps.push_back([this](ui::Form&) { swallowed.push_back(os.SendKeyboard({0x41, 0x1E, 0, 0, 0}, 3)); });
  modGetKey::CaptureKey(virtualKey, extended);
  EXPECT_EQ(virtualKey, 0);
  EXPECT_EQ(swallowed, (std::vector<std::intptr_t>{1}));
}

}  // namespace
