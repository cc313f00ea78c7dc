#include "engine/GameWindow.h"

#include <cctype>


namespace {

// Windows compares file names without regard to case; ASCII folding is enough
// here, since UTF-8 bytes of other scripts have no case to fold.
std::string Comparable(const std::string& path) {
  std::string folded;
  for (const char c : path) {
    folded += c == '/' ? '\\' : static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  }
  return folded;
}

// The length of the game's folder with its backslash when it holds the
// program ("C:\Rally" is no "C:\Rally2"), 0 when it does not.
std::size_t FolderMatch(const std::string& programPath, const std::string& gamePath) {
  const std::string game = Comparable(gamePath);
  const auto slash = game.find_last_of('\\');
  if (slash == std::string::npos) return 0;
  return Comparable(programPath).compare(0, slash + 1, game, 0, slash + 1) == 0 ? slash + 1 : 0;
}

}  // namespace

bool IsInGameFolder(const std::string& programPath, const std::string& gamePath) {
  return FolderMatch(programPath, gamePath) != 0;
}

// Folders that hold the same program are nested, so the longer is the deeper.
int GameOfProgram(const std::vector<std::string>& gamePaths, const std::string& programPath) {
  int best = -1;
  std::size_t bestLength = 0;
  for (std::size_t i = 0; i < gamePaths.size(); ++i) {
    const std::size_t length = FolderMatch(programPath, gamePaths[i]);
    if (length > bestLength) best = static_cast<int>(i), bestLength = length;
  }
  return best;
}

bool WaitsForGameWindow(const GameProfile& game, const std::string& gameFinalPath, const std::string& foregroundPath,
                        bool waitingNow) {
  if (!FollowsGameWindow(game) || game.GamePath.empty()) return false;
  if (foregroundPath.empty()) return waitingNow;
  return !IsInGameFolder(foregroundPath, gameFinalPath);
}
