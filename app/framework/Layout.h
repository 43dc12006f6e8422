#pragma once
#include <windows.h>

#include <span>

#include "app/ControlIds.h"
#include "app/framework/MenuTree.h"

// The stored layout of a window: plain tables that the framework realises.

enum class ControlKind {
    HyperlinkBox,     // self-drawn, opens its address when clicked
    PushButton,       // "BUTTON"
    RadioButton,      // "BUTTON", checks itself
    DropDownList,     // "COMBOBOX", nothing can be typed
    TransparentLabel, // self-drawn, no background of its own
    Label,            // self-drawn, filled with the button face colour
    Timer,            // no window: a periodic timer of the parent
};

struct FontDef {
    const char* face;  // null: the default GUI font
    int height = 0;    // character height in pixels
    int weight = FW_NORMAL;
    bool underline = false;
};

// Numbers "0" .. "last", item n at index n.
struct NumberItems {
    int last = -1; // -1: no items
};

// What a hyperlink box opens: its address, or a mail to its e-mail address.
struct HyperlinkTarget {
    bool mail;
    const char* webAddress;
    const char* mailAddress;
};
// Opens a box's target with the show command; 1 when something was started, else 0.
using HyperlinkOpener = int (*)(const HyperlinkTarget& target, int showCommand);

struct ControlDef {
    ControlId id;
    ControlKind kind;
    int x, y, width, height;
    const char* text;
    bool focusStop = false;
    bool checked = false;
    NumberItems items = {};
    FontDef font = {nullptr};
    COLORREF textColour = RGB(0, 0, 0);
    const char* address = nullptr;     // hyperlink box: the address it opens at start
    const char* mailAddress = nullptr; // a mail box's e-mail address
    bool mailLink = false;             // a mail box instead of a web-address box
};

struct HyperlinkColours {
    COLORREF normal, hover, visited;
};

// The events that the window raises; the layout binds each to a handler.
enum class Event {
    Created,
    Moved,
    TrayEvent,     // argument: the tray event code
    Clicked,
    Tick,
    Selected,
    Destroying,    // the window is about to go: leave the notification area
    ShellRestarted // the taskbar was rebuilt: add the tray icon again
};

// Who raises an event: the window, one of its controls, or a menu item by position.
struct EventSource {
    enum class Kind { Window, Control, MenuItem } kind;
    int id; // the control id or the menu position; 0 for the window

    friend bool operator==(const EventSource&, const EventSource&) = default;
};
inline constexpr EventSource TheWindow{EventSource::Kind::Window, 0};
constexpr EventSource FromControl(ControlId id) { return {EventSource::Kind::Control, static_cast<int>(id)}; }
constexpr EventSource FromMenuItem(int position) { return {EventSource::Kind::MenuItem, position}; }

using Handler = void (*)(int argument);

// Adapts a handler without arguments to the table's handler type.
template <void (*Operation)()>
void Run(int) {
    Operation();
}

struct EventBinding {
    EventSource source;
    Event event;
    Handler handler;
};

struct WindowDef {
    const char* className;
    const char* caption;
    int width, height;           // outer size
    DWORD style;
    const void* iconFile;        // a byte block holding the window's icon file
    std::span<const ControlDef> controls;        // in creation and stacking order
    std::span<const ControlId> focusOrder;       // the order Tab visits
    std::span<const ControlId> arrowGroup;       // arrows move the focus within it
    MenuTree menu;
    std::span<const EventBinding> bindings;
    HyperlinkColours linkColours;
    unsigned trayCallbackMessage;
    int (*trayEventCode)(long mouseMessage);    // 0: no event
    HyperlinkOpener openHyperlink;               // null: a click opens nothing
};
