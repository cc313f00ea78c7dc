// The fake's key table is what many engine tests assert on, so it is checked itself.
#include <gtest/gtest.h>

#include "support/FakePlatform.h"

TEST(FakePlatform, InjectedKeysUpdateHeldStateAndThePressedSinceReadBit) {
  FakePlatform os;
  os.KeybdEvent(0x41, 0x1E, 0, 0);
  EXPECT_TRUE(os.IsHeld(0x41));
  EXPECT_EQ(static_cast<std::uint16_t>(os.GetAsyncKeyState(0x41)), 0x8001u);
  EXPECT_EQ(static_cast<std::uint16_t>(os.GetAsyncKeyState(0x41)), 0x8000u);  // the low bit reads once
  os.KeybdEvent(0x41, 0x1E, 2, 0);
  EXPECT_FALSE(os.IsHeld(0x41));
  EXPECT_EQ(os.GetAsyncKeyState(0x41), 0);
}

TEST(FakePlatform, AKeyTappedBetweenTwoReadsStillReadsOnceAsPressed) {
  FakePlatform os;
  os.PressKey(0x78);
  os.ReleaseKey(0x78);
  EXPECT_EQ(os.GetAsyncKeyState(0x78), 1);
  EXPECT_EQ(os.GetAsyncKeyState(0x78), 0);
  EXPECT_EQ(os.GetAsyncKeyState(0), 0);
  EXPECT_EQ(os.GetAsyncKeyState(300), 0);
}
