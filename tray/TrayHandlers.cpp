#include "tray/TrayHandlers.h"

#include "app/framework/Properties.h"
#include "tray/TrayMenu.h"

namespace {
constexpr int TrayMenuRoot = 0; // "设置", the hidden root of the tray menu
}

void OnTrayEvent(int code) {
    switch (code) {
    case 2:
        WriteVisible(1);     // first visible, else the next write would find it hidden
        WriteWindowState(0); // and change nothing
        break;
    case 3: PopupTrayMenu(MainWindowHandle(), MainWindowMenu(), TrayMenuRoot); break;
    }
}

void OnMainWindowMoved() {
    if (ReadWindowState() == 2) WriteVisible(0);
}

void ShowMainWindow() { WriteVisible(1); }
