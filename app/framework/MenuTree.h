#pragma once
#include <span>

// One item of a window's stored menu tree. Items are stored in order; an item's
// children are the items after it that lie at a deeper level. An item's command id
// is MenuCommandBase plus its position among all items.
struct MenuItemDef {
    int level;            // 0 for top-level items
    const char* text;     // "-" makes a separator
    bool hidden = false;  // left out, with everything below it; its id stays taken
    bool disabled = false;
    bool checked = false;
    const char* shortcut = nullptr; // shown after a tab, when present
};

using MenuTree = std::span<const MenuItemDef>;
