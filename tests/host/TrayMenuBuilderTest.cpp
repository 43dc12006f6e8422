#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tray/TrayMenuBuilder.h"

namespace {

// Writes down every call, one line each.
struct RecordingSink final : TrayMenuSink {
    std::vector<std::string> calls;
    void BeginSubmenu(const char* text, bool greyed) override {
        calls.push_back(std::string("begin ") + text + (greyed ? " greyed" : ""));
    }
    void EndSubmenu() override { calls.push_back("end"); }
    void AppendSeparator() override { calls.push_back("separator"); }
    void AppendEntry(int commandId, const char* text, bool greyed, bool checked) override {
        calls.push_back(std::to_string(commandId) + " " + text + (greyed ? " greyed" : "") +
                        (checked ? " checked" : ""));
    }
};

using Calls = std::vector<std::string>;

Calls Build(MenuTree tree, int item, bool expected = true) {
    RecordingSink sink;
    EXPECT_EQ(BuildTrayMenu(tree, item, sink), expected) << "item " << item;
    return sink.calls;
}

// MainWindow's menu: a hidden root with the tray menu's nine entries below it.
constexpr MenuItemDef StoredTree[] = {
    {0, "设置", true}, {1, "显示窗口"}, {1, "-"},        {1, "取消定时"}, {1, "-"},
    {1, "广告地址"},   {1, "-"},        {1, "官方网站"}, {1, "-"},        {1, "退出工具"},
};

} // namespace

TEST(BuildTrayMenu, StoredTreeGivesFiveEntriesBetweenSeparators) {
    EXPECT_EQ(Build(StoredTree, 0),
              (Calls{"20001 显示窗口", "separator", "20003 取消定时", "separator", "20005 广告地址",
                     "separator", "20007 官方网站", "separator", "20009 退出工具"}));
}

TEST(BuildTrayMenu, SubmenusHiddenItemsStatesAndShortcuts) {
    constexpr MenuItemDef tree[] = {
        {0, "文件"},                                // 0: the root
        {1, "打开", false, false, false, "Ctrl+O"}, // 1
        {1, "隐藏", true},                          // 2: left out with what lies below
        {2, "隐藏的子项"},                          // 3
        {1, "-"},                                   // 4
        {1, "最近", false, true},                   // 5: a greyed submenu
        {2, "甲", false, false, true},              // 6
        {2, "更多"},                                // 7: a submenu inside it
        {3, "乙", false, false, false, "F2"},       // 8
        {2, "丙", false, true},                     // 9
        {1, "退出", false, false, true},            // 10
        {0, "帮助"},                                // 11: the next top-level item ends the walk
        {1, "关于"},                                // 12
    };
    EXPECT_EQ(Build(tree, 0), (Calls{"20001 打开\tCtrl+O", "separator", "begin 最近 greyed",
                                     "20006 甲 checked", "begin 更多", "20008 乙\tF2", "end",
                                     "20009 丙 greyed", "end", "20010 退出 checked"}));
    EXPECT_EQ(Build(tree, 11), (Calls{"20012 关于"}));
    EXPECT_EQ(Build(tree, 5),
              (Calls{"20006 甲 checked", "begin 更多", "20008 乙\tF2", "end", "20009 丙 greyed"}));
}

TEST(BuildTrayMenu, AnItemWithoutChildrenBuildsNothing) {
    constexpr MenuItemDef tree[] = {{0, "甲"}, {1, "乙"}, {0, "丙"}, {0, "丁"}};
    struct Case {
        const char* what;
        MenuTree tree;
        int item;
    } const cases[] = {
        {"before the first item", tree, -1},
        {"past the last item", tree, 4},
        {"the last item", tree, 3},
        {"next item shallower", tree, 1},
        {"next item at the same level", tree, 2},
        {"empty tree", MenuTree(), 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Build(c.tree, c.item, false), Calls{}) << c.what;
}
