#include "app/framework/CommandRouting.h"

#include "app/ControlIds.h"

CommandRoute RouteCommand(int commandId, int menuItemCount) {
    constexpr int FirstSystemCommand = 0xE100;
    if (commandId >= FirstSystemCommand) return {CommandRoute::Kind::Swallowed};
    int position = commandId - MenuCommandBase;
    if (position >= 0 && position < menuItemCount) return {CommandRoute::Kind::MenuItem, position};
    return {CommandRoute::Kind::Control};
}
