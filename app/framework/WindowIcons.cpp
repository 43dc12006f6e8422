#include "app/framework/WindowIcons.h"

#include "app/framework/IconFile.h"

UniqueIcon IconFromFile(ByteBlockView iconFile, int preferredWidth) {
    std::optional<IconImage> image = ChooseIconImage(iconFile.Bytes(), preferredWidth);
    if (!image) return UniqueIcon();
    auto* bits = const_cast<PBYTE>(image->bytes.data());
    auto size = static_cast<DWORD>(image->bytes.size());
    HICON icon = CreateIconFromResourceEx(bits, size, TRUE, 0x30000, image->width, image->height, LR_DEFAULTCOLOR);
    if (!icon && image->bitCount != 16) icon = CreateIconFromResource(bits, size, TRUE, 0x30000);
    return UniqueIcon(icon);
}
