#include <gtest/gtest.h>

#include "app/framework/CommandRouting.h"

TEST(RouteCommand, SplitsSystemMenuAndControlIds) {
    struct Case {
        int id;
        CommandRoute::Kind kind;
        int position;
    } const cases[] = {
        {0xE100, CommandRoute::Kind::Swallowed, -1}, {0xFFFF, CommandRoute::Kind::Swallowed, -1},
        {20000, CommandRoute::Kind::MenuItem, 0},    {20009, CommandRoute::Kind::MenuItem, 9},
        {20010, CommandRoute::Kind::Control, -1},    {19999, CommandRoute::Kind::Control, -1},
        {1002, CommandRoute::Kind::Control, -1},     {0, CommandRoute::Kind::Control, -1},
    };
    for (const Case& c : cases) {
        CommandRoute route = RouteCommand(c.id, 10);
        EXPECT_EQ(route.kind, c.kind) << c.id;
        EXPECT_EQ(route.menuPosition, c.position) << c.id;
    }
}
