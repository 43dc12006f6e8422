#pragma once
#include <windows.h>

#include <string_view>
#include <vector>

#include "app/Text.h"
#include "app/framework/Handles.h"
#include "app/framework/Layout.h"

// A window realised from its stored layout, with its controls, properties and events.
class Form {
public:
    // Creation steps up to resuming events: the window and its controls exist, hidden.
    // Returns false when the window or a control cannot be created.
    bool Load(const WindowDef& def);
    ~Form();

    // The one loaded window, null once it has been destroyed.
    static Form* Loaded();

    HWND Handle() const { return window_; }
    bool Exists() const { return window_ != nullptr; }
    const WindowDef& Def() const { return *def_; }

    void Raise(EventSource source, Event event, int argument = 0);
    // The keyboard handling that comes before a key reaches the focused control.
    bool PreTranslate(const MSG& message);

    // Property access (see Properties.h for their meaning).
    int ReadWindowState() const;
    void WriteWindowState(int state);
    int ReadInterval(ControlId timer) const;
    void WriteInterval(ControlId timer, int milliseconds);
    Text ReadAddress(ControlId link) const;
    void WriteAddress(ControlId link, std::string_view address);
    int Navigate(ControlId link); // opens the box's target; the visited mark stays
    HWND ControlWindow(ControlId id) const;
    void RequestDestroy(bool now);

    struct ControlState {
        const ControlDef* def = nullptr;
        HWND window = nullptr; // none for a timer
        HFONT font = nullptr;  // the font the control draws with, not owned
        int interval = 0;      // timer: the running period, 0 when stopped
        Text address;          // hyperlink box: the address it opens
        bool hover = false;    // hyperlink box: the mouse is over it
        bool visited = false;  // hyperlink box: the latest click opened its address
        Form* form = nullptr;
    };

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    bool CreateMainWindow();
    bool CreateControl(ControlState& control);
    void OnCommand(WPARAM wParam, LPARAM lParam);
    void MoveFocus(std::span<const ControlId> order, int step, bool wrap);
    ControlState* Find(ControlId id);
    const ControlState* Find(ControlId id) const;

    const WindowDef* def_ = nullptr;
    HWND window_ = nullptr;
    std::vector<ControlState> controls_;
    std::vector<UniqueFont> fonts_;
    UniqueIcon largeIcon_, smallIcon_;
    int storedWindowState_ = 0;
    bool destroyPending_ = false;
    UINT taskbarCreatedMessage_ = 0;
};
