#include "tray/TrayMenuBuilder.h"

#include <cstddef>
#include <string_view>

#include "app/ControlIds.h"
#include "app/Text.h"

namespace {

bool HasChildren(MenuTree tree, std::size_t at) {
    return at + 1 < tree.size() && tree[at + 1].level > tree[at].level;
}

// The position after the item at `at` and everything below it.
std::size_t SkipBelow(MenuTree tree, std::size_t at) {
    std::size_t next = at + 1;
    while (next < tree.size() && tree[next].level > tree[at].level)
        ++next;
    return next;
}

void AppendItem(const MenuItemDef& item, int commandId, TrayMenuSink& sink) {
    if (std::string_view(item.text) == "-") {
        sink.AppendSeparator();
    } else if (item.shortcut) {
        Text text = ConcatTexts({item.text, "\t", item.shortcut});
        sink.AppendEntry(commandId, text.c_str(), item.disabled, item.checked);
    } else {
        sink.AppendEntry(commandId, item.text, item.disabled, item.checked);
    }
}

// Fills the menu of the item at `parent` with the items below it; returns the
// position after them.
std::size_t FillMenu(MenuTree tree, std::size_t parent, TrayMenuSink& sink) {
    std::size_t at = parent + 1;
    while (at < tree.size() && tree[at].level > tree[parent].level) {
        const MenuItemDef& item = tree[at];
        if (item.hidden) {
            at = SkipBelow(tree, at);
        } else if (HasChildren(tree, at)) {
            sink.BeginSubmenu(item.text, item.disabled);
            at = FillMenu(tree, at, sink);
            sink.EndSubmenu();
        } else {
            AppendItem(item, MenuCommandBase + static_cast<int>(at), sink);
            ++at;
        }
    }
    return at;
}

} // namespace

bool BuildTrayMenu(MenuTree tree, int item, TrayMenuSink& sink) {
    if (item < 0 || static_cast<std::size_t>(item) >= tree.size()) return false;
    auto at = static_cast<std::size_t>(item);
    if (!HasChildren(tree, at)) return false;
    FillMenu(tree, at, sink);
    return true;
}
