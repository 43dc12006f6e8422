#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "skinengine/SkinFile.h"

using skin::ReadSkin;
using skin::Skin;
using skin::SkinError;
using Bytes = std::vector<std::uint8_t>;

namespace {

std::vector<std::string> CompiledSkinPaths() {
    std::vector<std::string> paths;
    const std::string dir = QT_COMPILED_SKIN_DIR;
    const char* stems[] = {"01-classic",  "02-luna",  "03-graphite", "04-mint",   "05-sunset",
                           "06-midnight", "07-rose",  "08-olive",    "09-ocean",  "10-lavender",
                           "11-copper",   "12-paper", "13-cherry",   "14-arctic", "15-forest",
                           "16-terminal", "17-royal", "18-slate",    "19-candy",  "20-desert",
                           "21-carbon",   "22-sky",   "23-autumn",   "24-lime",   "25-mahogany",
                           "26-lagoon",   "27-plum",  "28-honey",    "29-navy",   "30-sakura",
                           "31-emerald",  "32-neon",  "33-aurora"};
    for (const char* stem : stems)
        paths.push_back(dir + "/" + stem + ".she");
    return paths;
}

Bytes ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

struct Record {
    std::uint16_t id;
    Bytes value;
};

std::vector<Record> RecordsOf(const Bytes& file) {
    std::vector<Record> records;
    for (std::size_t at = skin::kSkinHeaderSize; at + 4 <= file.size();) {
        const std::uint16_t id = static_cast<std::uint16_t>(file[at] | file[at + 1] << 8);
        const std::size_t length = file[at + 2] | file[at + 3] << 8;
        records.push_back({id, Bytes(file.begin() + at + 4, file.begin() + at + 4 + length)});
        at += 4 + length;
    }
    return records;
}

void Put32(Bytes& bytes, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i)
        bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

// A well-formed file around the records: right magic, version, length and checksum.
Bytes FileOf(const std::vector<Record>& records) {
    Bytes file(std::begin(skin::kSkinMagic), std::end(skin::kSkinMagic));
    file.insert(file.end(), {1, 0, 0, 0, 0, 0, 0, 0, 0, 0});
    for (const Record& record : records) {
        const auto length = record.value.size();
        file.insert(file.end(),
                    {static_cast<std::uint8_t>(record.id),
                     static_cast<std::uint8_t>(record.id >> 8), static_cast<std::uint8_t>(length),
                     static_cast<std::uint8_t>(length >> 8)});
        file.insert(file.end(), record.value.begin(), record.value.end());
    }
    const std::size_t payload = file.size() - skin::kSkinHeaderSize;
    Put32(file, 8, static_cast<std::uint32_t>(payload));
    Put32(file, 12, skin::Crc32(file.data() + skin::kSkinHeaderSize, payload));
    return file;
}

Record& Find(std::vector<Record>& records, std::uint16_t id) {
    for (Record& record : records)
        if (record.id == id) return record;
    ADD_FAILURE() << "no record " << id;
    return records.front();
}

constexpr std::uint16_t kNameId = 0x0001, kFrameOuterId = 0x0101, kCaptionGradientId = 0x0210;

} // namespace

TEST(SkinFile, EveryCompiledSkinReadsAndNoTwoLookAlike) {
    std::vector<Skin> skins;
    for (const std::string& path : CompiledSkinPaths()) {
        const Bytes file = ReadFile(path);
        ASSERT_FALSE(file.empty()) << path;
        Skin skin;
        ASSERT_EQ(ReadSkin(file.data(), static_cast<std::ptrdiff_t>(file.size()), skin),
                  SkinError::None)
            << path;
        EXPECT_GT(std::strlen(skin.name), 0u) << path;
        skins.push_back(skin);
    }
    ASSERT_EQ(skins.size(), 33u);
    std::set<std::tuple<int, int, int>> captions;
    for (std::size_t a = 0; a < skins.size(); ++a) {
        const Skin& s = skins[a];
        captions.insert({s.captionTop.r, s.captionTop.g, s.captionTop.b});
        for (std::size_t b = a + 1; b < skins.size(); ++b) {
            const Skin& t = skins[b];
            // A design, not a recolouring: some style of caption, buttons or controls differs.
            const bool styled =
                std::tie(s.captionGradient, s.sysShape, s.buttonStyle, s.buttonRadius, s.checkStyle,
                         s.comboStyle, s.clientPatternStyle, s.frameStyle, s.captionAlign) !=
                std::tie(t.captionGradient, t.sysShape, t.buttonStyle, t.buttonRadius, t.checkStyle,
                         t.comboStyle, t.clientPatternStyle, t.frameStyle, t.captionAlign);
            EXPECT_TRUE(styled) << s.name << " and " << t.name << " share every style";
        }
    }
    EXPECT_EQ(captions.size(), skins.size()) << "two skins share a caption colour";
}

TEST(SkinFile, ReadsTheFieldsAsCompiled) {
    const Bytes file = ReadFile(CompiledSkinPaths().back());
    Skin skin;
    ASSERT_EQ(ReadSkin(file.data(), static_cast<std::ptrdiff_t>(file.size()), skin),
              SkinError::None);
    EXPECT_STREQ(skin.name, "Aurora");
    std::vector<Record> records = RecordsOf(file);
    const Bytes& outer = Find(records, kFrameOuterId).value;
    EXPECT_EQ(skin.frameOuter, (skin::Rgb{outer[0], outer[1], outer[2]}));
    EXPECT_EQ(skin.captionGradient, Find(records, kCaptionGradientId).value[0]);
}

TEST(SkinFile, RejectsDamagedInputWithItsReason) {
    const Bytes good = ReadFile(CompiledSkinPaths().back());
    const std::vector<Record> records = RecordsOf(good);
    auto edited = [&](auto change) {
        std::vector<Record> copy = records;
        change(copy);
        return FileOf(copy);
    };
    auto patched = [&](std::size_t at, std::uint8_t value) {
        Bytes copy = good;
        copy[at] = value;
        return copy;
    };
    Bytes oversized = good;
    oversized.resize(skin::kSkinMaxSize + 1);
    Bytes trailing = good;
    trailing.push_back(0);

    struct Case {
        const char* what;
        Bytes bytes;
        SkinError expected;
    };
    const Case cases[] = {
        {"empty", {}, SkinError::NoData},
        {"shorter than the header", Bytes(good.begin(), good.begin() + 10), SkinError::TooShort},
        {"payload cut short", Bytes(good.begin(), good.end() - 1), SkinError::LengthMismatch},
        {"a byte past the payload", trailing, SkinError::LengthMismatch},
        {"larger than any skin", oversized, SkinError::TooLarge},
        {"wrong first byte", patched(0, 'X'), SkinError::BadMagic},
        {"wrong signature byte", patched(5, 0x02), SkinError::BadMagic},
        {"unknown layout version", patched(6, 2), SkinError::BadVersion},
        {"corrupted payload", patched(good.size() - 1, good.back() ^ 0x40), SkinError::BadChecksum},
        {"corrupted checksum", patched(12, good[12] ^ 1), SkinError::BadChecksum},
        {"colour of two bytes", edited([](auto& r) { Find(r, kFrameOuterId).value.pop_back(); }),
         SkinError::BadRecord},
        {"empty name", edited([](auto& r) { Find(r, kNameId).value.clear(); }),
         SkinError::BadRecord},
        {"name with a control character", edited([](auto& r) { Find(r, kNameId).value[0] = '\n'; }),
         SkinError::BadValue},
        {"style beyond its range",
         edited([](auto& r) { Find(r, kCaptionGradientId).value[0] = 4; }), SkinError::BadValue},
        {"field given twice", edited([](auto& r) { r.push_back(Find(r, kFrameOuterId)); }),
         SkinError::DuplicateField},
        {"field missing", edited([](auto& r) { r.erase(r.begin() + 3); }), SkinError::MissingField},
        {"unknown record", edited([](auto& r) {
             r.push_back({0x7777, {1, 2, 3}});
         }),
         SkinError::None},
    };
    for (const Case& c : cases) {
        Skin skin;
        EXPECT_EQ(ReadSkin(c.bytes.empty() ? nullptr : c.bytes.data(),
                           static_cast<std::ptrdiff_t>(c.bytes.size()), skin),
                  c.expected)
            << c.what;
    }
}

TEST(SkinFile, RejectsARecordHeaderRunningPastTheEnd) {
    // Three stray bytes after the last record: too few for a record header.
    Bytes file = FileOf(RecordsOf(ReadFile(CompiledSkinPaths().back())));
    file.insert(file.end(), {0x01, 0x01, 0x03});
    const std::size_t payload = file.size() - skin::kSkinHeaderSize;
    Put32(file, 8, static_cast<std::uint32_t>(payload));
    Put32(file, 12, skin::Crc32(file.data() + skin::kSkinHeaderSize, payload));
    Skin skin;
    EXPECT_EQ(ReadSkin(file.data(), static_cast<std::ptrdiff_t>(file.size()), skin),
              SkinError::BadRecord);
    // A length that points beyond the payload.
    file.resize(file.size() - 3);
    file.insert(file.end(), {0x01, 0x01, 0xFF, 0x00, 0x10});
    const std::size_t longer = file.size() - skin::kSkinHeaderSize;
    Put32(file, 8, static_cast<std::uint32_t>(longer));
    Put32(file, 12, skin::Crc32(file.data() + skin::kSkinHeaderSize, longer));
    EXPECT_EQ(ReadSkin(file.data(), static_cast<std::ptrdiff_t>(file.size()), skin),
              SkinError::BadRecord);
}

TEST(SkinFile, NullDataAndNegativeSizesAreNoData) {
    Skin skin;
    const std::uint8_t byte = 0;
    EXPECT_EQ(ReadSkin(nullptr, 100, skin), SkinError::NoData);
    EXPECT_EQ(ReadSkin(&byte, -1, skin), SkinError::NoData);
}

TEST(SkinFile, ChecksumIsTheStandardCrc32) {
    const char text[] = "123456789";
    EXPECT_EQ(skin::Crc32(reinterpret_cast<const std::uint8_t*>(text), 9), 0xCBF43926u);
}
