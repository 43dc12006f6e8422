#include <gtest/gtest.h>

#include "skinengine/WindowKind.h"

using skin::ClassifyWindow;
using skin::WindowKind;

TEST(WindowKind, DressesOnlyTheStandardClasses) {
    constexpr std::uint32_t child = 0x40000000, caption = 0x00C00000, popup = 0x80000000;
    struct Case {
        const char* className;
        std::uint32_t style;
        const char* parent;
        WindowKind expected;
    };
    const Case cases[] = {
        {"QuorvelTimerMainWindow", caption | 0x00080000, "", WindowKind::Frame},
        {"#32770", popup | caption, "", WindowKind::Frame},
        {"ToolTips", popup, "", WindowKind::None},
        {"QuorvelTimerMainWindow", child | caption, "Host", WindowKind::None},
        {"Button", child | 0x0, "X", WindowKind::PushButton},
        {"BUTTON", child | 0x1, "X", WindowKind::PushButton},
        {"button", child | 0x9, "X", WindowKind::RadioButton},
        {"Button", child | 0x4, "X", WindowKind::RadioButton},
        {"Button", child | 0x3, "X", WindowKind::CheckBox},
        {"Button", child | 0x6, "X", WindowKind::CheckBox},
        {"Button", child | 0x7, "X", WindowKind::None},       // group box
        {"Button", child | 0xB, "X", WindowKind::None},       // owner-drawn
        {"Button", child | 0x1009, "X", WindowKind::None},    // push-like radio
        {"Button", child | 0x0080, "X", WindowKind::None},    // picture button
        {"ComboBox", child | 0x3, "X", WindowKind::ComboBox}, // drop-down list
        {"ComboBox", child | 0x2, "X", WindowKind::None},     // editable drop-down
        {"ComboBox", child | 0x13, "X", WindowKind::None},    // owner-drawn list
        {"ComboLBox", popup, "", WindowKind::List},
        {"ComboLBox", child | 0x10, "X", WindowKind::None},
        {"ListBox", child, "X", WindowKind::List},
        {"Static", child | 0x0, "#32770", WindowKind::DialogStatic},
        {"Static", child | 0x3, "#32770", WindowKind::DialogStatic}, // icon
        {"Static", child | 0xE, "#32770", WindowKind::None},         // bitmap
        {"Static", child | 0x0, "QuorvelTimerMainWindow", WindowKind::None},
        {"QuorvelLabel", child, "QuorvelTimerMainWindow", WindowKind::None},
        {"Edit", child, "#32770", WindowKind::None},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ClassifyWindow({c.className, c.style, c.parent}), c.expected)
            << c.className << " style " << std::hex << c.style << " in " << c.parent;
}
