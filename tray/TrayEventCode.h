#pragma once

// The TrayEvent code for the mouse message that the shell reports in the lParam of
// the tray callback message (LPARAM is a long on 32-bit Windows): 1 left button up,
// 2 left double-click, 3 right button up or context menu; 0 for every other
// message, which raises no event.
int TrayEventCode(long mouseMessage);
