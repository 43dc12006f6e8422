#include "skinengine/SkinFile.h"

namespace skin {
namespace {

// "lo..hi" gives lo and hi; a list of names gives 0 and the index of the last name.
struct Range {
    int lo = 0, hi = 0;
};

constexpr Range ParseRange(const char* text) {
    Range range;
    int value = 0, words = 0;
    bool inWord = false, numeric = text[0] >= '0' && text[0] <= '9';
    for (const char* p = text; *p; ++p) {
        if (numeric) {
            if (*p == '.') {
                range.lo = value;
                value = 0;
                ++p;
            } else {
                value = value * 10 + (*p - '0');
            }
        } else if (*p == ' ') {
            inWord = false;
        } else if (!inWord) {
            inWord = true;
            ++words;
        }
    }
    range.hi = numeric ? value : words - 1;
    return range;
}

static_assert(ParseRange("2..24").lo == 2 && ParseRange("2..24").hi == 24);
static_assert(ParseRange("flat raised double").hi == static_cast<int>(FrameStyle::Double));
static_assert(ParseRange("square rounded circle glyph tab").hi == static_cast<int>(SysShape::Tab));

struct ColourField {
    std::uint16_t id;
    Rgb Skin::*member;
};

struct ByteField {
    std::uint16_t id;
    std::uint8_t Skin::*member;
    Range range;
};

constexpr ColourField kColourFields[] = {
#define QT_SKIN_COLOUR_ENTRY(id, key, member) {id, &Skin::member},
    QT_SKIN_COLOURS(QT_SKIN_COLOUR_ENTRY)
#undef QT_SKIN_COLOUR_ENTRY
};

constexpr ByteField kByteFields[] = {
#define QT_SKIN_BYTE_ENTRY(id, key, member, range) {id, &Skin::member, ParseRange(range)},
    QT_SKIN_BYTES(QT_SKIN_BYTE_ENTRY)
#undef QT_SKIN_BYTE_ENTRY
};

constexpr std::uint16_t kNameId = 0x0001;
constexpr std::size_t kColourCount = sizeof(kColourFields) / sizeof(kColourFields[0]);
constexpr std::size_t kByteCount = sizeof(kByteFields) / sizeof(kByteFields[0]);

std::uint16_t Read16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] | p[1] << 8);
}

std::uint32_t Read32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

// Which fields have been seen: index 0 is the name, then the colours, then the bytes.
class SeenFields {
  public:
    bool Mark(std::size_t index) {
        if (seen_[index]) return false;
        seen_[index] = true;
        return true;
    }
    bool All() const {
        for (bool one : seen_)
            if (!one) return false;
        return true;
    }

  private:
    bool seen_[1 + kColourCount + kByteCount] = {};
};

SkinError ReadName(const std::uint8_t* value, std::size_t length, Skin& out) {
    if (length == 0 || length > kSkinNameMax) return SkinError::BadRecord;
    for (std::size_t i = 0; i < length; ++i) {
        if (value[i] < 0x20 || value[i] > 0x7E) return SkinError::BadValue;
        out.name[i] = static_cast<char>(value[i]);
    }
    out.name[length] = '\0';
    return SkinError::None;
}

SkinError ReadRecord(std::uint16_t id, const std::uint8_t* value, std::size_t length, Skin& out,
                     SeenFields& seen) {
    if (id == kNameId) {
        if (!seen.Mark(0)) return SkinError::DuplicateField;
        return ReadName(value, length, out);
    }
    for (std::size_t i = 0; i < kColourCount; ++i) {
        if (kColourFields[i].id != id) continue;
        if (length != 3) return SkinError::BadRecord;
        if (!seen.Mark(1 + i)) return SkinError::DuplicateField;
        out.*kColourFields[i].member = Rgb{value[0], value[1], value[2]};
        return SkinError::None;
    }
    for (std::size_t i = 0; i < kByteCount; ++i) {
        const ByteField& field = kByteFields[i];
        if (field.id != id) continue;
        if (length != 1) return SkinError::BadRecord;
        if (!seen.Mark(1 + kColourCount + i)) return SkinError::DuplicateField;
        if (value[0] < field.range.lo || value[0] > field.range.hi) return SkinError::BadValue;
        out.*field.member = value[0];
        return SkinError::None;
    }
    // A record this reader does not know: a later compiler's addition, skipped.
    return SkinError::None;
}

} // namespace

std::uint32_t Crc32(const std::uint8_t* bytes, std::size_t count) {
    std::uint32_t crc = 0xFFFFFFFFu;
    for (std::size_t i = 0; i < count; ++i) {
        crc ^= bytes[i];
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

SkinError ReadSkin(const void* data, std::ptrdiff_t size, Skin& out) {
    if (!data || size <= 0) return SkinError::NoData;
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    const auto total = static_cast<std::size_t>(size);
    if (total < kSkinHeaderSize) return SkinError::TooShort;
    if (total > kSkinMaxSize) return SkinError::TooLarge;
    for (std::size_t i = 0; i < sizeof(kSkinMagic); ++i)
        if (bytes[i] != kSkinMagic[i]) return SkinError::BadMagic;
    if (Read16(bytes + 6) != kSkinLayoutVersion) return SkinError::BadVersion;
    const std::size_t payloadSize = total - kSkinHeaderSize;
    if (Read32(bytes + 8) != payloadSize) return SkinError::LengthMismatch;
    const std::uint8_t* payload = bytes + kSkinHeaderSize;
    if (Read32(bytes + 12) != Crc32(payload, payloadSize)) return SkinError::BadChecksum;

    SeenFields seen;
    std::size_t at = 0;
    while (at < payloadSize) {
        if (payloadSize - at < 4) return SkinError::BadRecord;
        const std::uint16_t id = Read16(payload + at);
        const std::size_t length = Read16(payload + at + 2);
        at += 4;
        if (length > payloadSize - at) return SkinError::BadRecord;
        if (SkinError error = ReadRecord(id, payload + at, length, out, seen);
            error != SkinError::None)
            return error;
        at += length;
    }
    return seen.All() ? SkinError::None : SkinError::MissingField;
}

} // namespace skin
