#pragma once

// Where a WM_COMMAND goes: the window system's own commands from 0xE100 up are
// swallowed, MenuCommandBase + position raises Selected on that menu item, and the
// rest are the controls' notifications.
struct CommandRoute {
    enum class Kind { Swallowed, MenuItem, Control } kind;
    int menuPosition = -1;
};

CommandRoute RouteCommand(int commandId, int menuItemCount);
