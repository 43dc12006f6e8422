#include "app/framework/WindowIcons.h"

UniqueIcon IconFromImage(const IconImage& image) {
    auto* bits = const_cast<PBYTE>(image.bytes.data());
    auto size = static_cast<DWORD>(image.bytes.size());
    HICON icon = CreateIconFromResourceEx(bits, size, TRUE, 0x30000, image.width, image.height, LR_DEFAULTCOLOR);
    if (!icon && image.bitCount != 16) icon = CreateIconFromResource(bits, size, TRUE, 0x30000);
    return UniqueIcon(icon);
}

UniqueIcon IconFromFile(ByteBlockView iconFile, int preferredWidth) {
    std::optional<IconImage> image = ChooseIconImage(iconFile.Bytes(), preferredWidth);
    return image ? IconFromImage(*image) : UniqueIcon();
}
