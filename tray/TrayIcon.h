#pragma once
#include <windows.h>

#include "skin/ByteBlock.h"

// Replaces what the window shows in the notification area: the icon made from the icon
// file's bytes, with the tip (null: none). Without a usable icon the icon is removed.
// The window owns the icon handle: the one replaced or removed is destroyed.
void SetTrayIcon(HWND window, ByteBlockView iconFile, const char* tip);

// The second step of the Created handler: MainWindow's icon, tip "定时关机".
void InstallTrayIcon();
// On MainWindow's destruction: the icon leaves the notification area.
void RemoveTrayIcon();
// After the shell has rebuilt the taskbar the icon is gone from it: add it again.
void AddTrayIconAgain();
