#pragma once
#include "app/framework/MenuTree.h"

// Receives the tray menu as it is built, in order. Texts are zero-terminated and valid
// for the call only. A submenu's entries come between its Begin and End.
class TrayMenuSink {
  public:
    virtual void BeginSubmenu(const char* text, bool greyed) = 0;
    virtual void EndSubmenu() = 0;
    virtual void AppendSeparator() = 0;
    virtual void AppendEntry(int commandId, const char* text, bool greyed, bool checked) = 0;

  protected:
    ~TrayMenuSink() = default;
};

// Builds the popup menu of the item at position `item` of the tree from the items
// below it. Returns false, having built nothing, when the item is not in the tree or
// has no children.
bool BuildTrayMenu(MenuTree tree, int item, TrayMenuSink& sink);
