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

}  // namespace

bool IsInGameFolder(const std::string& programPath, const std::string& gamePath) {
  const std::string game = Comparable(gamePath);
  const auto slash = game.find_last_of('\\');
  if (slash == std::string::npos) return false;
  const std::string folder = game.substr(0, slash + 1);  // with its backslash: "C:\Rally" is no "C:\Rally2"
  return Comparable(programPath).compare(0, folder.size(), folder) == 0;
}

bool WaitsForGameWindow(const GameProfile& game, const std::string& gameFinalPath, const std::string& foregroundPath,
                        bool waitingNow) {
  if (!FollowsGameWindow(game) || game.GamePath.empty()) return false;
  if (foregroundPath.empty()) return waitingNow;
  return !IsInGameFolder(foregroundPath, gameFinalPath);
}
