#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <optional>
#include <vector>

#include "tray/TrayIconImage.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

void Put32(Bytes& bytes, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i)
        bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

std::uint32_t Get32(const Bytes& bytes, std::size_t at) {
    return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 |
           std::uint32_t{bytes[at + 3]} << 24;
}

struct Entry {
    std::uint8_t width, colours;
    bool broken = false; // its image offset points past the end of the file
};

// An icon file whose images are bare bitmap headers of the entries' widths.
Bytes IconFile(std::initializer_list<Entry> entries) {
    Bytes file(6 + 16 * entries.size());
    file[2] = 1;
    file[4] = static_cast<std::uint8_t>(entries.size());
    std::size_t at = 6;
    for (Entry entry : entries) {
        file[at] = file[at + 1] = entry.width;
        file[at + 2] = entry.colours;
        Put32(file, at + 8, 40);
        Put32(file, at + 12, entry.broken ? 0x10000u : static_cast<std::uint32_t>(file.size()));
        Bytes image(40);
        Put32(image, 0, 40);
        Put32(image, 4, entry.width);
        Put32(image, 8, entry.width * 2u);
        image[14] = 32;
        file.insert(file.end(), image.begin(), image.end());
        at += 16;
    }
    return file;
}

// Stands in for CreateIconFromResourceEx: records the widths it is offered and makes
// an "icon" (the width) of those it accepts.
struct IconMaker {
    std::vector<int> refused;
    std::vector<int> offered;
    std::optional<int> operator()(const IconImage& image) {
        offered.push_back(image.width);
        for (int width : refused)
            if (width == image.width) return std::nullopt;
        return image.width;
    }
};

} // namespace

TEST(MakeTrayIcon, OurIconGivesItsSixteenPixelImageAtTheFirstTry) {
    std::ifstream in(QT_SOURCE_DIR "/resources/QuorvelTimer.ico", std::ios::binary);
    const Bytes icon(std::istreambuf_iterator<char>(in), {});
    ASSERT_GT(icon.size(), 6u + 5 * 16);
    const std::uint8_t* lastImage = icon.data() + Get32(icon, 6 + 4 * 16 + 12);
    const std::uint8_t* seen = nullptr;
    IconMaker maker;
    auto icon16 = MakeTrayIcon(icon, [&](const IconImage& image) {
        seen = image.bytes.data();
        return maker(image);
    });
    EXPECT_EQ(icon16, 16);
    EXPECT_EQ(maker.offered, std::vector<int>{16});
    EXPECT_EQ(seen, lastImage);
}

TEST(MakeTrayIcon, TriesWidthThirtyTwoWhenTheFirstPassGivesNoIcon) {
    struct Case {
        const char* what;
        Bytes file;
        std::vector<int> refused;
        std::optional<int> icon;
        std::vector<int> offered;
    } const cases[] = {
        {"16 qualifies", IconFile({{32, 16}, {16, 16}, {48, 0}}), {}, 16, {16}},
        {"none qualifies: the last entry in both passes",
         IconFile({{32, 0}, {48, 8}}),
         {48},
         std::nullopt,
         {48, 48}},
        {"last entry broken, 32 qualifies", IconFile({{32, 16}, {16, 0, true}}), {}, 32, {32}},
        {"16 refused, 32 qualifies", IconFile({{16, 16}, {32, 16}}), {16}, 32, {16, 32}},
        {"every pass broken", IconFile({{16, 16, true}, {32, 16, true}}), {}, std::nullopt, {}},
        {"not an icon file", Bytes(), {}, std::nullopt, {}},
    };
    for (const Case& c : cases) {
        IconMaker maker{c.refused, {}};
        EXPECT_EQ(MakeTrayIcon(c.file, maker), c.icon) << c.what;
        EXPECT_EQ(maker.offered, c.offered) << c.what;
    }
}
