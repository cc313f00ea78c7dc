#pragma once
// Whether the game's window is the active one, for profiles whose control
// follows it: the window in the foreground belongs to a program in the folder
// of the game's file, or below it, as games started by a launcher beside them do.

#include <string>

#include "settings/Settings.h"

// `programPath` lies in the folder of `gamePath` or below it; paths compare
// without regard to case or to the kind of slash.
bool IsInGameFolder(const std::string& programPath, const std::string& gamePath);

// True unless the profile follows its window and another program is in front.
bool GameWindowActive(const GameProfile& game);
