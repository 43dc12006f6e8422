#pragma once
// The skin file reader: turns the bytes of a compiled skin into a Skin, checking every read
// against the buffer. The layout is described in FORMAT.md beside this file.
#include <cstddef>
#include <cstdint>

#include "skinengine/SkinFields.h"

namespace skin {

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
    friend bool operator==(Rgb, Rgb) = default;
};

enum class FrameStyle : std::uint8_t { Flat, Raised, Double };
enum class CaptionGradient : std::uint8_t { Vertical, Horizontal, Glass, Split };
enum class CaptionAlign : std::uint8_t { Left, Center };
enum class PatternStyle : std::uint8_t { None, Lines, Diagonal, Dots, Grid };
enum class ButtonStyle : std::uint8_t { Flat, Gradient, Glossy, Bevel, Accent };
enum class FocusStyle : std::uint8_t { Dotted, Ring, Bar };
enum class CheckStyle : std::uint8_t { Classic, Filled, Square, Ring };
enum class ComboStyle : std::uint8_t { Button, Flat, Divider };
enum class ArrowStyle : std::uint8_t { Triangle, Chevron };
enum class SysShape : std::uint8_t { Square, Rounded, Circle, Glyph, Tab };

inline constexpr std::size_t kSkinNameMax = 48;

struct Skin {
    char name[kSkinNameMax + 1] = {};
#define QT_SKIN_COLOUR_MEMBER(id, key, member) Rgb member;
    QT_SKIN_COLOURS(QT_SKIN_COLOUR_MEMBER)
#undef QT_SKIN_COLOUR_MEMBER
#define QT_SKIN_BYTE_MEMBER(id, key, member, range) std::uint8_t member = 0;
    QT_SKIN_BYTES(QT_SKIN_BYTE_MEMBER)
#undef QT_SKIN_BYTE_MEMBER
};

// Why a buffer is not a readable skin. The values are part of the engine's interface:
// SkinH_AttachRes returns them negated.
enum class SkinError : int {
    None = 0,
    NoData = 1,          // null pointer or a size of zero or less
    TooShort = 2,        // shorter than the header
    TooLarge = 3,        // larger than any skin may be
    BadMagic = 4,        // does not begin with ".SHE" 00 03
    BadVersion = 5,      // a layout version this reader does not know
    LengthMismatch = 6,  // the payload length in the header differs from the bytes present
    BadChecksum = 7,     // the payload's CRC-32 differs from the header's
    BadRecord = 8,       // a record runs past the payload or has the wrong length for its id
    BadValue = 9,        // a value outside its range, or a name that is not printable ASCII
    DuplicateField = 10, // a field given twice
    MissingField = 11,   // a field the reader needs is absent
};

inline constexpr std::uint8_t kSkinMagic[6] = {'.', 'S', 'H', 'E', 0x00, 0x03};
inline constexpr std::uint16_t kSkinLayoutVersion = 1;
inline constexpr std::size_t kSkinHeaderSize = 16;
inline constexpr std::size_t kSkinMaxSize = 64 * 1024;

// Reads a whole skin file. On failure `out` is left in an unspecified but valid state.
SkinError ReadSkin(const void* data, std::ptrdiff_t size, Skin& out);

// CRC-32 (IEEE 802.3, reflected, as in zlib) of the bytes.
std::uint32_t Crc32(const std::uint8_t* bytes, std::size_t count);

} // namespace skin
