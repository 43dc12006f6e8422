#include "app/MainWindowLayout.h"

#include "app/OnMainWindowCreated.h"
#include "app/ResourceData.h"
#include "countdown/Countdown.h"
#include "links/LinkActions.h"
#include "links/OpenHyperlink.h"
#include "links/SiteAddresses.h"
#include "tray/TrayEventCode.h"
#include "tray/TrayHandlers.h"
#include "tray/TrayIcon.h"

namespace {

using enum ControlId;
using enum ControlKind;

constexpr COLORREF Blue = RGB(0, 0, 255);
constexpr COLORREF Red = RGB(255, 0, 0);
constexpr FontDef SongTi14Bold = {"宋体", 14, FW_BOLD};
constexpr FontDef SongTi12BoldUnderlined = {"宋体", 12, FW_BOLD, true};
constexpr int ListHeight = 160; // the open list reaches this far below the box's top

// In creation order, which is also the stacking order from the top.
constexpr ControlDef Controls[] = {
    {.id = 超级链接框1, .kind = HyperlinkBox, .x = 47, .y = 122, .width = 137, .height = 14,
     .text = OfficialSiteHost, .font = SongTi12BoldUnderlined, .address = HyperlinkStoredAddress},
    {.id = 按钮_确定, .kind = PushButton, .x = 10, .y = 57, .width = 61, .height = 33, .text = "确定", .focusStop = true},
    {.id = 按钮_退出, .kind = PushButton, .x = 163, .y = 57, .width = 61, .height = 33, .text = "退出", .focusStop = true},
    {.id = 按钮_取消, .kind = PushButton, .x = 85, .y = 57, .width = 61, .height = 33, .text = "取消", .focusStop = true},
    {.id = 单选框_注销, .kind = RadioButton, .x = 170, .y = 34, .width = 48, .height = 24, .text = "注销", .focusStop = true},
    {.id = 单选框_重启, .kind = RadioButton, .x = 92, .y = 34, .width = 48, .height = 24, .text = "重启", .focusStop = true},
    {.id = 单选框_关机, .kind = RadioButton, .x = 17, .y = 35, .width = 48, .height = 24, .text = "关机", .focusStop = true,
     .checked = true},
    {.id = 组合框_秒, .kind = DropDownList, .x = 182, .y = 10, .width = 40, .height = ListHeight, .text = "",
     .focusStop = true, .items = {59}},
    {.id = 透明标签3, .kind = TransparentLabel, .x = 150, .y = 7, .width = 41, .height = 26, .text = "秒", .textColour = Blue},
    {.id = 组合框_分钟, .kind = DropDownList, .x = 107, .y = 10, .width = 40, .height = ListHeight, .text = "",
     .focusStop = true, .items = {59}},
    {.id = 透明标签2, .kind = TransparentLabel, .x = 75, .y = 7, .width = 41, .height = 26, .text = "分钟", .textColour = Blue},
    {.id = 透明标签1, .kind = TransparentLabel, .x = 0, .y = 7, .width = 41, .height = 26, .text = "小时", .textColour = Blue},
    {.id = 组合框_小时, .kind = DropDownList, .x = 32, .y = 10, .width = 40, .height = ListHeight, .text = "",
     .focusStop = true, .items = {24}},
    {.id = 时钟1, .kind = Timer, .x = 0, .y = 0, .width = 0, .height = 0, .text = ""},
    {.id = 标签1, .kind = Label, .x = 20, .y = 96, .width = 198, .height = 24, .text = "", .font = SongTi14Bold,
     .textColour = Red},
};

// Tab follows the window from left to right and top to bottom.
constexpr ControlId FocusOrder[] = {组合框_小时, 组合框_分钟, 组合框_秒, 单选框_关机, 单选框_重启,
                                    单选框_注销, 按钮_确定, 按钮_取消, 按钮_退出};
constexpr ControlId RadioGroup[] = {单选框_关机, 单选框_重启, 单选框_注销};

constexpr MenuItemDef Menu[] = {
    {0, "设置", true}, {1, "显示窗口"}, {1, "-"}, {1, "取消定时"}, {1, "-"},
    {1, "广告地址"},    {1, "-"},        {1, "官方网站"}, {1, "-"}, {1, "退出工具"},
};
enum MenuPosition { 设置 = 0, 显示窗口 = 1, 取消定时 = 3, 广告地址 = 5, 官方网站 = 7, 退出工具 = 9 };

constexpr EventBinding Bindings[] = {
    {TheWindow, Event::Created, Run<OnMainWindowCreated>},
    {TheWindow, Event::Moved, Run<OnMainWindowMoved>},
    {TheWindow, Event::TrayEvent, OnTrayEvent},
    {TheWindow, Event::Destroying, Run<RemoveTrayIcon>},
    {TheWindow, Event::ShellRestarted, Run<AddTrayIconAgain>},
    {FromControl(按钮_确定), Event::Clicked, Run<ArmCountdown>},
    {FromControl(按钮_取消), Event::Clicked, Run<StopCountdown>},
    {FromControl(按钮_退出), Event::Clicked, Run<OpenAdPageAndExit>},
    {FromControl(时钟1), Event::Tick, Run<CountdownTick>},
    {FromMenuItem(显示窗口), Event::Selected, Run<ShowMainWindow>},
    {FromMenuItem(取消定时), Event::Selected, Run<StopCountdown>},
    {FromMenuItem(广告地址), Event::Selected, Run<OpenAdPage>},
    {FromMenuItem(官方网站), Event::Selected, Run<OpenOfficialSite>},
    {FromMenuItem(退出工具), Event::Selected, Run<OpenAdPageAndExit>},
};

constexpr WindowDef Layout = {
    .className = MainWindowClassName,
    .caption = "Quorvel_定时关机1.0版",
    .width = 240,
    .height = 186,
    .style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
    .iconFile = ProgramIconFile,
    .controls = Controls,
    .focusOrder = FocusOrder,
    .arrowGroup = RadioGroup,
    .menu = Menu,
    .bindings = Bindings,
    .linkColours = {.normal = Blue, .hover = RGB(38, 89, 4), .visited = RGB(128, 0, 0)},
    .trayCallbackMessage = TrayCallbackMessage,
    .trayEventCode = TrayEventCode,
    .openHyperlink = OpenHyperlinkTarget,
};

} // namespace

const WindowDef& MainWindowLayout() { return Layout; }
