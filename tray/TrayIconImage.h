#pragma once
#include <cstdint>
#include <span>
#include <utility>

#include "app/framework/IconFile.h"

// The tray takes the image the reader picks for width 16; only when no icon comes of
// that does it try again preferring width 32. Both passes fall back to the last
// directory entry, so the second one matters when the first pass's image is
// malformed or the window system refuses to make an icon of it.
inline constexpr int TrayIconWidths[] = {16, 32};

// Makes the tray icon from an icon file: make(image) turns a chosen image into an
// icon (a handle owner that tests false when there is none). An empty or unreadable
// file gives the empty icon without calling make.
template <typename MakeIcon>
auto MakeTrayIcon(std::span<const std::uint8_t> file, MakeIcon&& make)
    -> decltype(make(std::declval<const IconImage&>())) {
    for (int width : TrayIconWidths) {
        if (std::optional<IconImage> image = ChooseIconImage(file, width)) {
            if (auto icon = make(*image)) return icon;
        }
    }
    return {};
}
