#pragma once
#include <windows.h>

#include "app/framework/MenuTree.h"

// Pops up the menu made of the item's children at the cursor; the entry picked reaches
// the window later as WM_COMMAND. Does nothing for an item without children.
void PopupTrayMenu(HWND window, MenuTree menu, int item);
