#include <gtest/gtest.h>

#include "support/EngineFixture.h"

using KeyMouseTest = EngineFixture;

TEST_F(KeyMouseTest, KeyEventsCarryTheScanCodeAndTheCallersExtendedFlag) {
  KeyMouse().KeyDown(0x41, false);
  KeyMouse().KeyDown(0x27, true);
  KeyMouse().KeyUp(0x41, false);
  KeyMouse().KeyUp(0x27, true);
  KeyMouse().KeyDown(0xE8, false);  // no scan code in the layout
  EXPECT_EQ(os.TakeCalls(), (Calls{Down(0x41, 0x1E), Down(0x27, 0x4D, true), Up(0x41, 0x1E),
                                   Up(0x27, 0x4D, true), Down(0xE8, 0)}));
  EXPECT_EQ(os.clockMs, 0u);
}

TEST_F(KeyMouseTest, CodesBelowOneSendNothingAndDoNotPause) {
  KeyMouse().InitKeyMouse(5, 0, 0);
  KeyMouse().KeyDown(0, false);
  KeyMouse().KeyUp(-5, true);
  EXPECT_TRUE(os.TakeCalls().empty());
  KeyMouse().KeyDown(0x41, false);
  EXPECT_EQ(os.TakeCalls(), (Calls{Down(0x41, 0x1E), "Sleep(5)"}));
}

struct MoveCase {
  const char* what;
  platform::ScreenMetrics screen;
  std::int32_t sx, sy;
  bool isAbsolute, forScreen;
  std::string expected;
};

void PrintTo(const MoveCase& row, std::ostream* out) { *out << row.what; }

class MouseMoveTest : public EngineFixture, public ::testing::WithParamInterface<MoveCase> {};

TEST_P(MouseMoveTest, ConvertsToTheAbsoluteRange) {
  os.screen = GetParam().screen;
  KeyMouse().MouseMove(GetParam().sx, GetParam().sy, GetParam().isAbsolute, GetParam().forScreen);
  EXPECT_EQ(os.TakeCalls(), Calls{GetParam().expected});
}

constexpr platform::ScreenMetrics k1024x768{15360, 11520, 15, 15};
constexpr platform::ScreenMetrics k7680x4320{7680 * 15, 4320 * 15, 15, 15};
constexpr platform::ScreenMetrics kNoScreen{0, 0, 15, 15};

INSTANTIATE_TEST_SUITE_P(
    Rows, MouseMoveTest,
    ::testing::Values(
        MoveCase{"park right edge mid-height", k1024x768, 15360, 5760, true, true, "mouse_event(0x8001,65535,32768,0,0)"},
        MoveCase{"centre", k1024x768, 7680, 5760, true, true, "mouse_event(0x8001,32768,32768,0,0)"},
        MoveCase{"origin", k1024x768, 0, 0, true, true, "mouse_event(0x8001,0,0,0,0)"},
        MoveCase{"pixels times twips per pixel", k1024x768, 512, 384, true, false, "mouse_event(0x8001,32768,32768,0,0)"},
        MoveCase{"relative keeps the converted values", k1024x768, 15360, 0, false, true, "mouse_event(0x1,65535,0,0,0)"},
        MoveCase{"negative rounds symmetrically", k1024x768, -7680, -1, false, true, "mouse_event(0x1,-32768,-6,0,0)"},
        MoveCase{"8K screen in pixels", k7680x4320, 7680, 2160, true, false, "mouse_event(0x8001,65535,32768,0,0)"},
        MoveCase{"a screen of no size aims at the origin", kNoScreen, 100, 100, true, true, "mouse_event(0x8001,0,0,0,0)"}),
    [](const auto& info) {
      std::string name = info.param.what;
      for (char& c : name) c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
      return name;
    });

TEST(RoundHalfEven, HalvesGoToTheEvenNeighbour) {
  EXPECT_EQ(RoundHalfEven(65535, 2), 32768);  // 32767.5
  EXPECT_EQ(RoundHalfEven(5, 2), 2);
  EXPECT_EQ(RoundHalfEven(7, 2), 4);
  EXPECT_EQ(RoundHalfEven(-5, 2), -2);
  EXPECT_EQ(RoundHalfEven(10, 4), 2);   // 2.5
  EXPECT_EQ(RoundHalfEven(11, 4), 3);   // 2.75
  EXPECT_EQ(RoundHalfEven(9, 4), 2);    // 2.25
}
