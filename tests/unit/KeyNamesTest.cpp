#include <gtest/gtest.h>

#include "keys/modGetKey.h"
#include "support/FakePlatform.h"

using modGetKey::KeyName;
using modGetKey::ScanKeyName;

namespace {

constexpr std::int32_t Parameter(int scan, int extended) { return (scan << 16) | (extended << 24); }

class KeyNamesTest : public ::testing::Test {
 protected:
  KeyNamesTest() {
    os.keyNames = {{Parameter(0x1E, 0), "A"},          {Parameter(0x4D, 1), "Right"},
                   {Parameter(0x4D, 0), "Num 6"},      {Parameter(0x58, 0), "F12"},
                   {Parameter(0x36, 1), "右Shift键"},
                   {Parameter(0x5B, 1), "Left Windows"}};
  }
  FakePlatform os;
};

struct NameCase {
  std::int32_t virtualKey, extended;
  std::string expected;
};

void PrintTo(const NameCase& row, std::ostream* out) { *out << row.virtualKey << "/" << row.extended; }

class KeyNameRows : public KeyNamesTest, public ::testing::WithParamInterface<NameCase> {};

TEST_P(KeyNameRows, NamesTheStoredKeyReference) {
  EXPECT_EQ(KeyName(GetParam().virtualKey, GetParam().extended), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Layout, KeyNameRows,
    ::testing::Values(NameCase{0, 0, ""}, NameCase{0, 1, ""}, NameCase{0x41, 0, "A"},
                      NameCase{0x27, 1, "Right"},            // the arrow block
                      NameCase{0x27, 0, "Num 6"},            // the keypad key on the same scan code
                      NameCase{0x7B, 0, "F12"},
                      NameCase{0x7B, 1, "Undefined Key"},    // the layout names no extended F12
                      NameCase{0x01, 0, "Undefined Key"},    // the left mouse button has no scan code
                      NameCase{0xA1, 0, "Right Shift"},      // unnamed right Shift
                      NameCase{0xA1, 1, "右Shift键"}));

TEST_F(KeyNamesTest, ScanNamesHaveNoRightShiftFallback) {
  EXPECT_EQ(ScanKeyName(0, 1), "");
  EXPECT_EQ(ScanKeyName(0x36, 0), "Undefined Key");
  EXPECT_EQ(ScanKeyName(0x36, 1), "右Shift键");
  EXPECT_EQ(ScanKeyName(0x4D, 0), "Num 6");
  // Flags other than 0 and 1 set only the extended bit, never bit 25.
  EXPECT_EQ(ScanKeyName(0x4D, 2), "Right");
}

}  // namespace
