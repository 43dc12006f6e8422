// Any text must convert without a fault. Besides, a text spelled from the characters of a
// number, each in ASCII or in its full-width form, must convert exactly as strtod of the
// "C" locale reads its ASCII spelling, whose grammar is the same ('d' and 'D' read as 'e').
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "countdown/TextToNumber.h"

namespace {

constexpr char NumberCharacters[] = " \t\n\v\f\r0123456789.+-eEdD";
constexpr std::size_t NumberCharacterCount = sizeof NumberCharacters - 1;

bool SameDouble(double a, double b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// Reading stops at the first misfit, so what follows the number changes nothing.
void CheckReading(std::string_view text) {
    double value = TextToNumber(text);
    if (std::isnan(value)) std::abort();
    if (!SameDouble(TextToNumber(std::string(text) + "x"), value)) std::abort();
}

void CheckAgainstStrtod(const std::uint8_t* data, std::size_t size) {
    std::string text, ascii;
    for (std::size_t i = 0; i < size; ++i) {
        char c = NumberCharacters[data[i] % NumberCharacterCount];
        bool fullWidth = (data[i] & 0x80) != 0;
        if (fullWidth && c == ' ') {
            text += "\xA1\xA1";
        } else if (fullWidth && c > ' ') {
            text += '\xA3';
            text += static_cast<char>(c | 0x80);
        } else {
            text += c;
        }
        ascii += (c == 'd' || c == 'D') ? 'e' : c;
    }
    if (!SameDouble(TextToNumber(text), std::strtod(ascii.c_str(), nullptr))) std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    CheckReading({reinterpret_cast<const char*>(data), size});
    CheckAgainstStrtod(data, size);
    return 0;
}
