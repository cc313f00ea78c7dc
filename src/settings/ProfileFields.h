#pragma once
// The fields of a game profile in the order setinf.set holds them, each with
// the name a profile file (.tvgame) gives it. The settings codec and the
// profile file walk this one list in both directions, so the binary and the
// text form of a profile cannot disagree.

#include "settings/Settings.h"

namespace profile_fields {

inline constexpr char NameField[] = "游戏名称";

struct ButtonNames {
  const char *key, *reserved1, *switchKey, *reserved2, *repeat, *reserved3;
};
inline constexpr ButtonNames kButtons[] = {
    {"左键", "左键保留1", "左键切换键", "左键保留2", "左键按住重复", "左键保留3"},
    {"右键", "右键保留1", "右键切换键", "右键保留2", "右键按住重复", "右键保留3"},
    {"中键", "中键保留1", "中键切换键", "中键保留2", "中键按住重复", "中键保留3"}};

struct MoveNames {
  const char *key, *reserved1, *reserved2, *threshold;
};
inline constexpr MoveNames kMoves[] = {
    {"向左移动", "向左移动保留1", "向左移动保留2", "向左有效移动单位"},
    {"向右移动", "向右移动保留1", "向右移动保留2", "向右有效移动单位"},
    {"向上移动", "向上移动保留1", "向上移动保留2", "向上有效移动单位"},
    {"向下移动", "向下移动保留1", "向下移动保留2", "向下有效移动单位"}};

struct WheelNames {
  const char *key, *switchKey, *mode;
};
inline constexpr WheelNames kWheels[] = {{"滚轮向前", "滚轮向前切换键", "滚轮向前方式"},
                                         {"滚轮向后", "滚轮向后切换键", "滚轮向后方式"}};

// `Game` is GameProfile to read into, const GameProfile to write from. An `io` has:
//   Text(name, std::string&)              a UTF-8 text
//   Raw(name, RawText&)                   a reserved text, its bytes as stored
//   Flag(name, Boolean16&)
//   Block(name, std::array<std::uint8_t, 8>&)
//   Option(name, game, get, set)          a named bit of the block before it: no bytes of its own
//   BlockKey(name, std::uint8_t& code, std::uint8_t& extended)   a key in two bytes of that block
//   BlockNumber(name, std::uint8_t&)      a number in a byte of that block
//   Key(name, std::int32_t& code, std::int32_t& extended)
//   Number(name, std::int32_t&)           a threshold
//   Reserved(name, std::int32_t&)         a number no one reads
//   Mode(name, std::int32_t&)             a wheel mode
template <class Io, class Game>
void Fields(Io& io, Game& game) {
  io.Text(NameField, game.GameName);
  io.Text("文件位置", game.GamePath);
  io.Raw("保留文本1", game.ReservedText1);
  io.Flag("启动后隐藏光标", game.HideCursor);
  io.Raw("保留文本2", game.ReservedText2);
  io.Raw("保留文本3", game.ReservedText3);
  io.Block("保留字节", game.ReservedBytes);
  io.Option("仅在游戏窗口激活时控制", game, FollowsGameWindow, SetFollowsGameWindow);
  io.Option("精确移动", game, MovesPrecisely, SetMovesPrecisely);
  io.Option("按速度点按", game, TapsBySpeed, SetTapsBySpeed);
  io.BlockKey("奔跑键", game.ReservedBytes[1], game.ReservedBytes[2]);
  io.BlockNumber("奔跑阈值", game.ReservedBytes[3]);
  for (std::size_t i = 0; i < game.Buttons.size(); ++i) {
    auto& b = game.Buttons[i];
    const ButtonNames& n = kButtons[i];
    io.Key(n.key, b.VirtualKey, b.Extended);
    io.Reserved(n.reserved1, b.Reserved1);
    io.Key(n.switchKey, b.SwitchKey, b.SwitchExtended);
    io.Reserved(n.reserved2, b.Reserved2);
    io.Flag(n.repeat, b.Repeat);
    io.Reserved(n.reserved3, b.Reserved3);
  }
  for (std::size_t i = 0; i < game.Moves.size(); ++i) {
    auto& m = game.Moves[i];
    const MoveNames& n = kMoves[i];
    io.Key(n.key, m.VirtualKey, m.Extended);
    io.Reserved(n.reserved1, m.Reserved1);
    io.Reserved(n.reserved2, m.Reserved2);
    io.Number(n.threshold, m.Threshold);
  }
  for (std::size_t i = 0; i < game.Wheels.size(); ++i) {
    auto& w = game.Wheels[i];
    const WheelNames& n = kWheels[i];
    io.Key(n.key, w.VirtualKey, w.Extended);
    io.Key(n.switchKey, w.SwitchKey, w.SwitchExtended);
    io.Mode(n.mode, w.Mode);
  }
}

}  // namespace profile_fields
