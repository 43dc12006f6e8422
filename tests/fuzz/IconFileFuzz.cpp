// Icon files are untrusted input: any bytes must give an image inside the file or
// nothing, for every width the program asks for.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <span>

#include "tray/TrayIconImage.h"

namespace {

// Reads every byte of the chosen image, so the sanitizers see a span that leaves the file.
unsigned Touch(std::span<const std::uint8_t> file, const IconImage& image) {
    if (image.bytes.data() < file.data() ||
        image.bytes.data() + image.bytes.size() > file.data() + file.size())
        std::abort();
    unsigned sum = 0;
    for (std::uint8_t byte : image.bytes)
        sum += byte;
    return sum;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::span<const std::uint8_t> file(data, size);
    volatile unsigned sink = 0;
    for (int width : {16, 32}) {
        if (std::optional<IconImage> image = ChooseIconImage(file, width))
            sink = sink + Touch(file, *image);
    }
    std::optional<unsigned> tray =
        MakeTrayIcon(file, [&](const IconImage& image) -> std::optional<unsigned> {
            if (Touch(file, image) % 2) return std::nullopt; // refuse some, so the second pass runs
            return image.width;
        });
    if (tray) sink = sink + *tray;
    return 0;
}
