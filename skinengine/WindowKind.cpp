#include "skinengine/WindowKind.h"

namespace skin {
namespace {

// The Windows style bits this decision reads, spelled out to stay free of windows.h.
constexpr std::uint32_t kChild = 0x40000000, kCaption = 0x00C00000;
constexpr std::uint32_t kButtonTypeMask = 0x0F, kButtonPicture = 0x00C0, kButtonPushLike = 0x1000;
constexpr std::uint32_t kComboTypeMask = 0x03, kComboDropDownList = 0x03, kComboOwnerDraw = 0x30;
constexpr std::uint32_t kListOwnerDraw = 0x30;
constexpr std::uint32_t kStaticTypeMask = 0x1F;

bool SameName(const char* a, const char* b) {
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    for (; *a && *b; ++a, ++b)
        if (lower(*a) != lower(*b)) return false;
    return *a == *b;
}

WindowKind ClassifyButton(std::uint32_t style) {
    if (style & (kButtonPicture | kButtonPushLike)) return WindowKind::None;
    switch (style & kButtonTypeMask) {
    case 0x0: // BS_PUSHBUTTON
    case 0x1: // BS_DEFPUSHBUTTON
        return WindowKind::PushButton;
    case 0x2: // BS_CHECKBOX
    case 0x3: // BS_AUTOCHECKBOX
    case 0x5: // BS_3STATE
    case 0x6: // BS_AUTO3STATE
        return WindowKind::CheckBox;
    case 0x4: // BS_RADIOBUTTON
    case 0x9: // BS_AUTORADIOBUTTON
        return WindowKind::RadioButton;
    default: // group boxes, user and owner-drawn buttons
        return WindowKind::None;
    }
}

bool IsTextOrIconStatic(std::uint32_t style) {
    switch (style & kStaticTypeMask) {
    case 0x0: // SS_LEFT
    case 0x1: // SS_CENTER
    case 0x2: // SS_RIGHT
    case 0x3: // SS_ICON
    case 0xB: // SS_SIMPLE
    case 0xC: // SS_LEFTNOWORDWRAP
        return true;
    default: return false;
    }
}

} // namespace

WindowKind ClassifyWindow(const WindowTraits& window) {
    const char* name = window.className ? window.className : "";
    const char* parent = window.parentClassName ? window.parentClassName : "";
    const std::uint32_t style = window.style;
    if (!(style & kChild)) {
        if (SameName(name, "ComboLBox"))
            return style & kListOwnerDraw ? WindowKind::None : WindowKind::List;
        return (style & kCaption) == kCaption ? WindowKind::Frame : WindowKind::None;
    }
    if (SameName(name, "Button")) return ClassifyButton(style);
    if (SameName(name, "ComboBox")) {
        const bool plainList =
            (style & kComboTypeMask) == kComboDropDownList && !(style & kComboOwnerDraw);
        return plainList ? WindowKind::ComboBox : WindowKind::None;
    }
    if (SameName(name, "ComboLBox") || SameName(name, "ListBox"))
        return style & kListOwnerDraw ? WindowKind::None : WindowKind::List;
    if (SameName(name, "Static") && SameName(parent, "#32770") && IsTextOrIconStatic(style))
        return WindowKind::DialogStatic;
    return WindowKind::None;
}

} // namespace skin
