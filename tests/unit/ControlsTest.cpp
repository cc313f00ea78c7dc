// The event rules every form relies on.
#include <gtest/gtest.h>

#include "ui/Controls.h"

namespace {

TEST(Controls, ListSelectionRaisesClickForAnEntryOnlyAndRefusesIndexesThatNameNone) {
  ui::ListBox list;
  int clicks = 0, doubleClicks = 0;
  list.Click = [&] { ++clicks; };
  list.DblClick = [&] { ++doubleClicks; };
  list.AddItem("甲");
  list.AddItem("乙");
  list.SetListIndex(0);
  list.SetListIndex(0);  // selecting again still runs the handler
  EXPECT_TRUE(list.SetListIndex(-1));
  EXPECT_EQ(clicks, 2);
  EXPECT_FALSE(list.SetListIndex(2));
  EXPECT_FALSE(list.SetListIndex(-2));
  EXPECT_EQ(list.ListIndex(), -1);
  list.SetEnabled(false);
  list.UserDoubleClick();
  EXPECT_EQ(doubleClicks, 0);  // a disabled list takes no clicks
}

TEST(Controls, RemovingAnEntryKeepsTheSelectedEntrySelectedOrLeavesNone) {
  for (const auto& [removed, selectedAfter] : std::vector<std::pair<int, int>>{{0, 0}, {1, -1}, {2, 1}, {3, 1}}) {
    ui::ListBox list;
    for (const char* item : {"甲", "乙", "丙"}) list.AddItem(item);
    list.SetListIndex(1);
    list.RemoveItem(removed);
    EXPECT_EQ(list.ListIndex(), selectedAfter) << "removing " << removed;
    EXPECT_EQ(list.ListCount(), removed < 3 ? 2 : 3);
  }
}

TEST(Controls, TextSliderOptionsAndCheckBoxRaiseTheirEventOnlyWhenTheValueDiffers) {
  ui::TextBox text;
  ui::HScrollBar slider;
  slider.Min = 1, slider.Max = 10;
  int textChanges = 0, sliderChanges = 0, scrolls = 0;
  text.Change = [&] { ++textChanges; };
  slider.Change = [&] { ++sliderChanges; };
  slider.Scroll = [&] { ++scrolls; };
  text.SetText("新游戏");
  text.SetText("新游戏");
  slider.SetValue(5);
  slider.SetValue(5);
  slider.UserScroll(6);  // dragging: Scroll without Change
  EXPECT_EQ(sliderChanges, 1);
  slider.UserChange(6);  // the drag ends away from 5
  slider.UserScroll(8);
  slider.UserChange(6);  // and here back where it started
  slider.UserChange(7);
  slider.SetValue(40);  // beyond Max: the end
  EXPECT_EQ(textChanges, 1);
  EXPECT_EQ(sliderChanges, 4);
  EXPECT_EQ(scrolls, 2);
  EXPECT_EQ(slider.Value(), 10);

  ui::OptionGroup options;
  std::vector<int> clicked;
  options.Click = [&](int index) { clicked.push_back(index); };
  options.SetOptions({"按下按键", "放开按键", "只按一次"});
  options.Select(2);
  options.Select(2);
  options.UserSelect(0);
  options.Select(7);
  EXPECT_EQ(clicked, (std::vector<int>{2, 0}));
  EXPECT_EQ(options.Selected(), 0);
  // Arrow keys go round the group.
  clicked.clear();
  for (int step : {-1, 1, 1}) options.UserStep(step);
  EXPECT_EQ(clicked, (std::vector<int>{2, 0, 1}));

  ui::CheckBox check;
  int clicks = 0;
  check.Click = [&] { ++clicks; };
  check.SetValue(1);
  check.SetValue(1);
  check.UserToggle();
  EXPECT_EQ(clicks, 2);
}

struct CountingView : ui::ControlView {
  void Refresh() override { ++refreshes; }
  int refreshes = 0;
};

TEST(Controls, ViewsSeeEveryChangeAndTimersTickOnlyWhenRunning) {
  ui::CommandButton button;
  ui::ListBox list;
  ui::MenuItem item("menuMem", "使用记录");
  CountingView buttonView, listView, itemView;
  button.AttachView(&buttonView);
  list.AttachView(&listView);
  item.AttachView(&itemView);
  button.SetCaption("请选择游戏");
  button.SetEnabled(false);
  button.SetEnabled(false);
  list.AddItem("甲");
  list.SetListIndex(0);
  list.RemoveItem(0);
  item.SetChecked(true);
  EXPECT_EQ(buttonView.refreshes, 2);
  EXPECT_EQ(listView.refreshes, 3);
  EXPECT_EQ(itemView.refreshes, 1);

  ui::Timer timer;
  int ticks = 0;
  timer.Elapsed = [&] { ++ticks; };
  timer.Tick();  // no interval yet
  timer.SetInterval(8);
  timer.Tick();
  timer.SetEnabled(false);
  timer.Tick();
  EXPECT_EQ(ticks, 1);
}

}  // namespace
