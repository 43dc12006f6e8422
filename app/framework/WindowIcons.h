#pragma once
#include "app/framework/Handles.h"
#include "app/framework/IconFile.h"
#include "skin/ByteBlock.h"

// An icon made from one image of an icon file; none when Windows refuses the image.
UniqueIcon IconFromImage(const IconImage& image);

// An icon made from the bytes of an icon file: the directory entry of the preferred
// width is chosen as the icon-file reader says. No icon for an unreadable file.
UniqueIcon IconFromFile(ByteBlockView iconFile, int preferredWidth);

enum class IconSize { Large = 32, Small = 16 };
inline UniqueIcon MakeWindowIcon(ByteBlockView iconFile, IconSize size) {
    return IconFromFile(iconFile, static_cast<int>(size));
}
