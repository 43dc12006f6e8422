#pragma once

// MainWindow's TrayEvent: 2 (double-click) shows and restores it, 3 pops up the menu.
void OnTrayEvent(int code);
// MainWindow's Moved: a minimised window goes to the notification area.
void OnMainWindowMoved();
// "显示窗口": shows the window in its present state.
void ShowMainWindow();
