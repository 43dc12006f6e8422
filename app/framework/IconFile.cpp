#include "app/framework/IconFile.h"

#include <algorithm>

namespace {

constexpr std::size_t HeaderSize = 6;
constexpr std::size_t EntrySize = 16;
constexpr std::size_t BitmapHeaderSize = 40;
constexpr std::uint8_t PngSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

std::uint32_t Little(std::span<const std::uint8_t> bytes, std::size_t at, std::size_t width) {
    std::uint32_t value = 0;
    for (std::size_t i = width; i-- > 0;) value = value << 8 | bytes[at + i];
    return value;
}

std::uint32_t Big32(std::span<const std::uint8_t> bytes, std::size_t at) {
    return std::uint32_t{bytes[at]} << 24 | std::uint32_t{bytes[at + 1]} << 16 | std::uint32_t{bytes[at + 2]} << 8 |
           bytes[at + 3];
}

std::optional<IconImage> ReadImage(std::span<const std::uint8_t> image) {
    // Images may be PNG streams (Vista and later): the size then sits in the IHDR chunk.
    constexpr std::size_t PngHeaderEnd = 24;
    if (image.size() >= PngHeaderEnd && std::equal(std::begin(PngSignature), std::end(PngSignature), image.begin()))
        return IconImage{image, static_cast<int>(Big32(image, 16)), static_cast<int>(Big32(image, 20)), 32};
    if (image.size() < BitmapHeaderSize || Little(image, 0, 4) < BitmapHeaderSize) return std::nullopt;
    auto width = static_cast<std::int32_t>(Little(image, 4, 4));
    auto height = static_cast<std::int32_t>(Little(image, 8, 4));
    if (width <= 0 || height <= 0) return std::nullopt;
    return IconImage{image, width, height / 2, static_cast<int>(Little(image, 14, 2))};
}

} // namespace

std::optional<IconImage> ChooseIconImage(std::span<const std::uint8_t> file, int preferredWidth) {
    if (file.size() < HeaderSize) return std::nullopt;
    std::uint32_t type = Little(file, 2, 2);
    std::uint32_t count = Little(file, 4, 2);
    if (Little(file, 0, 2) != 0 || (type != 1 && type != 2) || count == 0) return std::nullopt;
    if (file.size() < HeaderSize + count * EntrySize) return std::nullopt;

    std::size_t chosen = HeaderSize + (count - 1) * EntrySize;
    for (std::size_t i = 0; i < count; ++i) {
        std::size_t entry = HeaderSize + i * EntrySize;
        if (file[entry + 2] >= 16 && file[entry] == preferredWidth) {
            chosen = entry;
            break;
        }
    }
    std::uint64_t size = Little(file, chosen + 8, 4);
    std::uint64_t offset = Little(file, chosen + 12, 4);
    if (offset + size > file.size()) return std::nullopt;
    return ReadImage(file.subspan(static_cast<std::size_t>(offset), static_cast<std::size_t>(size)));
}
