#pragma once
// ModFile: the settings file setinf.set at SettingsPath, and the global
// Settings loaded from it and saved to it.
//
// A failing file step does not end a procedure: the remaining steps still run
// and the last failure's description is shown once at the end.

#include <cstdint>

namespace ModFile {

// Fills Settings from the file, creating a missing file empty, and applies the
// defaults in memory. Called once, after SettingsPath is set.
void LoadSettings();

// Stamps VersionTag and writes the whole record from the file's first byte.
// The file is not shortened, so a shorter record leaves the old tail behind it,
// which loading ignores. `deleteFirst` deletes the file before writing it anew.
void SaveSettings(bool deleteFirst);

// Removes game `index` (0 to count - 1) and rewrites the file from empty. Leaves
// CurGameIndex and LastGameIndex to the caller.
void RemoveGame(std::int32_t index);

}  // namespace ModFile
