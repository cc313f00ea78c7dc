#pragma once
// frmMain: the program's only top-level window. It lists the games with a
// status line above, carries every command in its menu bar, and owns the three
// timers of the input engine.

#include <optional>
#include <string>
#include <vector>

#include "engine/EngineTimers.h"
#include "keys/modGetKey.h"
#include "platform/Platform.h"
#include "settings/Settings.h"
#include "ui/Controls.h"
#include "ui/Form.h"

// `name`, or when a game of the list has it, "<name> (2)" or the first free of
// (3), (4) and so on; kept whole, whatever its length.
std::string UniqueGameName(const std::string& name, const std::vector<GameProfile>& games);

// Half of a screen size in twips, a half twip going to the even neighbour.
std::int32_t HalfTwips(std::int32_t twips);

class frmMain final : public ui::Form {
 public:
  frmMain();  // Form_Initialize: the settings are loaded here

  ui::CommandButton CmdShowStart;  // the status line
  ui::ListBox LstGame;
  ui::Timer TimStart;   // hotkey poll, 100 ms, for the window's whole life
  ui::Timer TimButton;  // button and wheel repeat, 30 ms, while control is on
  ui::Timer TimMove;    // movement translator, 8 ms, while control is on

  ui::MenuItem menuMouse{"menuMouse", "鼠标模拟"};
  ui::MenuItem menuStart{"menuStart", "启动"};
  ui::MenuItem menuStop{"menuStop", "停止"};
  ui::MenuItem menuAdmin{"menuAdmin", "以管理员身份重新启动"};
  ui::MenuItem menuL1{"menuL1", "-"};
  ui::MenuItem menuEnd{"menuEnd", "退出"};
  ui::MenuItem menuMain{"menuMain", "游戏设置"};
  ui::MenuItem menuRunGame{"menuRunGame", "启动游戏"};
  ui::MenuItem menuL3{"menuL3", "-"};
  ui::MenuItem menuSet{"menuSet", "设置..."};
  ui::MenuItem menuAdd{"menuAdd", "新增游戏"};
  ui::MenuItem menuDelete{"menuDelete", "删除游戏"};
  ui::MenuItem menuExport{"menuExport", "导出配置..."};
  ui::MenuItem menuImport{"menuImport", "导入配置..."};
  ui::MenuItem menuAppSet{"menuAppSet", "软件设置"};
  ui::MenuItem menuSetStart{"menuSetStart", "重设启动键"};
  ui::MenuItem menuSetStop{"menuSetStop", "重设停止键"};
  ui::MenuItem menuL5{"menuL5", "-"};
  ui::MenuItem menuMem{"menuMem", "使用记录"};
  ui::MenuItem menuAutoGame{"menuAutoGame", "自动切换游戏"};
  ui::MenuItem menuHelp{"menuHelp", "帮助"};
  ui::MenuItem menuUseHelp{"menuUseHelp", "如何使用..."};
  ui::MenuItem menuNewApp{"menuNewApp", "软件更新..."};
  ui::MenuItem menuL2{"menuL2", "-"};
  ui::MenuItem menuAbout{"menuAbout", "关于Tillervane..."};

  // The notification area's icon and its right-click menu.
  ui::NotifyIcon Tray;
  ui::MenuItem menuTray{"menuTray", "Tillervane"};
  ui::MenuItem menuTrayStart{"menuTrayStart", "启动"};
  ui::MenuItem menuTrayStop{"menuTrayStop", "停止"};
  ui::MenuItem menuTrayShow{"menuTrayShow", "显示主窗口"};
  ui::MenuItem menuTrayEnd{"menuTrayEnd", "退出"};

  // Control on and off; StopControl is safe in every state.
  void StartControl();
  void StopControl();

  // While control is on: chooses the game by the program in front with
  // 自动切换游戏, else follows the game's window when the profile asks for it,
  // and names a game that runs with higher rights. The poll (`polled`) looks at
  // the program in front only when another window is there.
  void FollowForeground(bool polled = false);

  void LoadGameList();
  void ShowHotkeyCaptions();
  static std::string HotkeyName(const HotKey& key) { return modGetKey::KeyName(key.VirtualKey, key.Extended); }
  void ClearKeyLatches();

  // Handlers.
  void LstGame_Click();
  void LstGame_DblClick();
  void LstGame_MouseUp(int Button, int Shift, int X, int Y);
  void menuStart_Click() { StartControl(); }
  void menuStop_Click() { StopControl(); }
  void menuMem_Click();
  void menuAutoGame_Click();
  void menuAdmin_Click();
  void Tray_Click() { BringToFront(); }
  void Tray_RightClick() { PopupMenu(menuTray); }
  void menuEnd_Click() { Unload(); }
  void menuRunGame_Click();
  void menuSet_Click();
  void menuAdd_Click();
  void menuDelete_Click();
  void menuExport_Click();
  void menuImport_Click();
  // Adds the game of a profile file at the end of the list, selects it and
  // saves; a file it cannot read changes nothing and says why.
  void ImportGame(const std::string& path);
  void menuSetStart_Click() { ReassignHotkey(Settings.StartKey, "启动键"); }
  void menuSetStop_Click() { ReassignHotkey(Settings.StopKey, "停止键"); }
  void menuUseHelp_Click();
  void menuNewApp_Click();
  void menuAbout_Click();
  void TimStart_Timer();

  // The start of a copy that took over from one without administrator
  // rights: `gameIndex` is selected (-1 for none) and control started.
  void ResumeControl(std::int32_t gameIndex);

  EngineTimers engine;

 protected:
  void Form_Load() override;
  void Form_Unload() override;
  void Form_SystemEvent(SystemEvent event) override;
  void Form_RawMouseMove(std::int32_t x, std::int32_t y, bool absolute) override;
  void Form_FilesDropped(const std::vector<std::string>& paths) override;

 private:
  void Form_Initialize();
  void LayOut();
  void Wire();
  // Captures a new key for `hotKey`, named `role` in the question, and stores it on OK.
  void ReassignHotkey(HotKey& hotKey, const std::string& role);

  void ParkPointer();
  // The control text, the text of waiting for the game, or the warning about
  // a game with higher rights; the notification area's icon follows.
  void ShowControlStatus();
  void ShowTrayState();
  // With 自动切换游戏: the game whose folder holds the program in front
  // (`inFront`) becomes current, the keys held for the one before released
  // first. Returns whether control waits, for want of such a game.
  bool ChooseGameInFront(const std::string& inFront);
  // The final path of every game's file (empty for none), for the choice above.
  void ReadGamePaths();
  static std::string FinalGamePath(const std::string& gamePath);
  void ResolveCurrentGamePath();  // into gameFinalPath_
  // While an elevated copy starts: this one ends once that one is up.
  void FollowHandover();
  // Lets go of every key the engine holds and stops every repeat.
  void ReleaseEverything();
  void SetWaitingForGame(bool waiting);
  // The foreground window and the input desktop, while control is on.
  void WatchForeground();
  void StopWatchingForeground();
  // Another desktop took the input or gave it back: a button let go there
  // never reached the hook. The poll looks too, where the system has no event.
  void FollowInputDesktop();
  // With 使用记录 on, stores the current game and saves.
  void RememberGame();

  bool askingForGame_ = false;  // the "select a game first" box is open
  platform::HookHandle foregroundHook_ = 0, desktopHook_ = 0;
  bool onInputDesktop_ = true;
  // Where a device that reports positions last pointed, in pixels; none yet.
  std::optional<platform::Point> lastRawPosition_;
  bool elevatedInFront_ = false;
  std::uintptr_t foregroundWindow_ = 0;  // the one last looked at
  std::string gameFinalPath_;  // of the current game's file, while control is on
  std::vector<std::string> gameFinalPaths_;  // of every game's, while control is on with 自动切换游戏
  bool handingOver_ = false;  // an elevated copy is starting to take over
  std::string profileFolder_;  // where the profile files were last chosen; the program's folder at first
};
