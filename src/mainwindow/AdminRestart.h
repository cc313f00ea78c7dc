#pragma once
// 以管理员身份重新启动: the command-line switch by which a copy started with
// administrator rights learns that it takes over from the one that started it,
// and which game to control.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

inline constexpr char kTakeOverSwitch[] = "/takeover";

// "/takeover 2": the arguments of the copy that takes over, for game 2 (-1 for none).
std::string TakeOverArguments(std::int32_t gameIndex);

// The game named by the switch in `arguments`, when it is there and well formed.
std::optional<std::int32_t> TakeOverGame(const std::vector<std::string>& arguments);
