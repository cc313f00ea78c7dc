#pragma once
// ModGood: the program's start. Prepares the common controls, names this version,
// refuses a second copy and runs the main window until it closes.

#include <string>

namespace ModGood {

inline constexpr char AppTitle[] = "Tillervane";

// "Tillervane（Tillervane v2.01）" for 2.0.1: minor and revision are joined.
std::string BuildVersionTag(int major, int minor, int revision);

// Returns the process's exit code.
int Main();

}  // namespace ModGood
