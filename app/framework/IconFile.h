#pragma once
#include <cstdint>
#include <optional>
#include <span>

// One image of an icon file, as CreateIconFromResourceEx takes it.
struct IconImage {
    std::span<const std::uint8_t> bytes; // inside the file
    int width;                           // from the image's bitmap header
    int height;                          // half the bitmap header's height (colour and mask)
    int bitCount;
};

// Picks the image of an icon (or cursor) file: the first directory entry whose colour
// count is 16 or more and whose width is the preferred one, else the last entry. The
// file is untrusted: anything short or malformed gives nothing.
std::optional<IconImage> ChooseIconImage(std::span<const std::uint8_t> file, int preferredWidth);
