#pragma once
// Whether control waits for the game's window, for profiles whose control
// follows it: it waits while the window in the foreground belongs to a program
// outside the folder of the game's file (programs below it, as games started by
// a launcher beside them, count as the game).

#include <string>
#include <vector>

#include "settings/Settings.h"

// `programPath` lies in the folder of `gamePath` or below it; paths compare
// without regard to case or to the kind of slash.
bool IsInGameFolder(const std::string& programPath, const std::string& gamePath);

// Only a profile that follows its window and names its file waits. Both paths
// are final ones, so that a SUBST drive, a junction or a short name still
// matches; a program in front whose path cannot be read (`foregroundPath`
// empty) leaves the answer as it is, `waitingNow`.
bool WaitsForGameWindow(const GameProfile& game, const std::string& gameFinalPath, const std::string& foregroundPath,
                        bool waitingNow);

// The game whose folder holds `programPath`, for the automatic choice of game:
// the deepest such folder wins, the first in the list on a tie; a game without
// a file (an empty path) never matches. -1 when no game does.
int GameOfProgram(const std::vector<std::string>& gamePaths, const std::string& programPath);
