#include "tray/TrayMenu.h"

#include <vector>

#include "app/framework/Handles.h"
#include "tray/TrayMenuBuilder.h"

namespace {

// Builds Windows menus from what the builder hands over; submenus nest on a stack.
class WindowsMenuSink final : public TrayMenuSink {
public:
    explicit WindowsMenuSink(HMENU root) { menus_.push_back(root); }

    void BeginSubmenu(const char* text, bool greyed) override {
        HMENU submenu = CreatePopupMenu();
        AppendMenuA(menus_.back(), MF_POPUP | (greyed ? MF_GRAYED : 0), reinterpret_cast<UINT_PTR>(submenu), text);
        menus_.push_back(submenu); // owned by its parent menu from here on
    }
    void EndSubmenu() override { menus_.pop_back(); }
    void AppendSeparator() override { AppendMenuA(menus_.back(), MF_SEPARATOR, 0, nullptr); }
    void AppendEntry(int commandId, const char* text, bool greyed, bool checked) override {
        UINT flags = MF_STRING | (greyed ? MF_GRAYED : 0) | (checked ? MF_CHECKED : 0);
        AppendMenuA(menus_.back(), flags, static_cast<UINT_PTR>(commandId), text);
    }

private:
    std::vector<HMENU> menus_;
};

} // namespace

void PopupTrayMenu(HWND window, MenuTree menu, int item) {
    UniqueMenu popup(CreatePopupMenu());
    if (!popup) return;
    WindowsMenuSink sink(popup.Get());
    if (!BuildTrayMenu(menu, item, sink)) return;
    POINT cursor;
    GetCursorPos(&cursor);
    // The window must be in the foreground, or the menu does not close when the user
    // clicks elsewhere; the WM_NULL afterwards lets it close properly (a known quirk).
    SetForegroundWindow(window);
    TrackPopupMenu(popup.Get(), TPM_RIGHTALIGN, cursor.x - 5, cursor.y - 5, 0, window, nullptr);
    PostMessageA(window, WM_NULL, 0, 0);
}
