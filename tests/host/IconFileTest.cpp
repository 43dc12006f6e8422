#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

#include "app/framework/IconFile.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes ProgramIcon() {
    std::ifstream file(QT_SOURCE_DIR "/resources/QuorvelTimer.ico", std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(file), {});
}

void Put(Bytes& bytes, std::size_t at, std::uint32_t value, int width) {
    for (int i = 0; i < width; ++i) bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

struct Entry {
    std::uint8_t width, colours;
};

// An icon file whose images are bare bitmap headers of the entries' widths.
Bytes IconWith(std::initializer_list<Entry> entries) {
    Bytes file(6 + 16 * entries.size());
    Put(file, 2, 1, 2);
    Put(file, 4, static_cast<std::uint32_t>(entries.size()), 2);
    std::size_t at = 6;
    for (Entry entry : entries) {
        Bytes image(40);
        Put(image, 0, 40, 4);
        Put(image, 4, entry.width, 4);
        Put(image, 8, entry.width * 2u, 4);
        Put(image, 14, 32, 2);
        file[at] = file[at + 1] = entry.width;
        file[at + 2] = entry.colours;
        Put(file, at + 8, 40, 4);
        Put(file, at + 12, static_cast<std::uint32_t>(file.size()), 4);
        file.insert(file.end(), image.begin(), image.end());
        at += 16;
    }
    return file;
}

} // namespace

TEST(ChooseIconImage, OurIconGivesItsSixteenPixelImageForBothSizes) {
    Bytes icon = ProgramIcon();
    ASSERT_GT(icon.size(), 6u);
    for (int preferred : {16, 32}) {
        auto image = ChooseIconImage(icon, preferred);
        ASSERT_TRUE(image);
        EXPECT_EQ(image->width, 16);
        EXPECT_EQ(image->height, 16);
        EXPECT_EQ(image->bitCount, 32);
    }
}

TEST(ChooseIconImage, TakesTheFirstQualifyingEntryElseTheLast) {
    Bytes both = IconWith({{48, 16}, {32, 16}, {16, 255}, {16, 16}, {64, 0}});
    EXPECT_EQ(ChooseIconImage(both, 16)->width, 16);
    EXPECT_EQ(ChooseIconImage(both, 32)->width, 32);
    Bytes few = IconWith({{16, 15}, {32, 0}, {48, 8}});
    EXPECT_EQ(ChooseIconImage(few, 16)->width, 48);
}

TEST(ChooseIconImage, MalformedFilesGiveNothing) {
    const Bytes good = IconWith({{16, 0}});
    struct Case {
        const char* what;
        std::size_t at;
        std::uint32_t value;
        int width;
    } const cases[] = {
        {"reserved word not zero", 0, 1, 2},     {"type neither icon nor cursor", 2, 3, 2},
        {"no images", 4, 0, 2},                  {"more entries than the file holds", 4, 2, 2},
        {"image size past the end", 6 + 8, 41, 4}, {"offset past the end", 6 + 12, 1000, 4},
        {"offset plus size wraps", 6 + 12, 0xFFFFFFF0u, 4}, {"image too short for a header", 6 + 8, 39, 4},
        {"header size too small", 22, 12, 4},    {"zero width", 22 + 4, 0, 4},
        {"negative height", 22 + 8, 0x80000000u, 4},
    };
    for (const Case& c : cases) {
        Bytes file = good;
        Put(file, c.at, c.value, c.width);
        EXPECT_FALSE(ChooseIconImage(file, 16)) << c.what;
    }
    for (std::size_t length = 0; length < good.size(); ++length)
        EXPECT_FALSE(ChooseIconImage(std::span(good).first(length), 16)) << "cut to " << length;
    EXPECT_TRUE(ChooseIconImage(good, 16));
}
