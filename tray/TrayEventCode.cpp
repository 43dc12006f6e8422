#include "tray/TrayEventCode.h"

int TrayEventCode(long mouseMessage) {
    switch (mouseMessage) {
    case 0x202: return 1; // WM_LBUTTONUP
    case 0x203: return 2; // WM_LBUTTONDBLCLK
    case 0x205:           // WM_RBUTTONUP
    case 0x7B: return 3;  // WM_CONTEXTMENU
    default: return 0;
    }
}
