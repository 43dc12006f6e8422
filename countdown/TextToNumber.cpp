#include "countdown/TextToNumber.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <string>

namespace {

// Full-width forms become their ASCII characters; a lead byte with nothing after it
// ends the text.
std::string Normalise(std::string_view text) {
    std::string normal;
    normal.reserve(text.size());
    for (std::size_t i = 0; i < text.size() && text[i] != '\0'; ++i) {
        auto lead = static_cast<unsigned char>(text[i]);
        if (lead < 0x80) {
            normal += text[i];
            continue;
        }
        if (i + 1 >= text.size() || text[i + 1] == '\0') break;
        auto trail = static_cast<unsigned char>(text[++i]);
        if (lead == 0xA3 && trail >= 0xA1 && trail <= 0xFE) {
            normal += static_cast<char>(trail & 0x7F);
        } else if (lead == 0xA1 && trail == 0xA1) {
            normal += ' ';
        } else if (lead == 0xA1 && trail == 0xAB) {
            normal += '~';
        } else if (lead == 0xA1 && (trail == 0xEE || trail == 0xEF)) {
            normal += '*';
        } else {
            normal += static_cast<char>(lead);
            normal += static_cast<char>(trail);
        }
    }
    return normal;
}

bool IsSpace(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}
bool IsExponentLetter(char c) {
    return c == 'E' || c == 'e' || c == 'D' || c == 'd';
}

// Exponents are summed only up to here: far beyond the range of a double either way.
constexpr std::int64_t ExponentCap = 1'000'000'000;

// Where the number at the start of a text lies, and which side of 1 its magnitude is on,
// which decides between infinity and 0 when it does not fit a double.
struct NumberSpan {
    std::size_t begin = 0, end = 0; // empty: no digits
    bool negative = false;
    bool atLeastOne = false;
};

// Reads [space] [sign] digits [. digits] [exponent]; the exponent letter is turned into 'e'
// in place, the only one from_chars knows.
NumberSpan FindNumber(std::string& text) {
    NumberSpan number;
    std::size_t i = 0;
    while (i < text.size() && IsSpace(text[i]))
        ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        number.negative = text[i] == '-';
        if (!number.negative) ++i; // from_chars takes a minus sign only
    }
    number.begin = i;
    if (number.negative) ++i;

    // The number is 0.d1d2... × 10^scale with d1 its leading non-zero digit.
    std::int64_t scale = 0, leadingZeros = 0;
    bool digits = false, point = false, nonZero = false;
    for (; i < text.size(); ++i) {
        if (text[i] == '.' && !point) {
            point = true;
            continue;
        }
        if (!IsDigit(text[i])) break;
        digits = true;
        if (text[i] != '0' && !nonZero) {
            nonZero = true;
            scale = point ? -leadingZeros : 1;
        } else if (point && !nonZero) {
            ++leadingZeros;
        } else if (!point && nonZero) {
            ++scale;
        }
    }
    if (!digits) return {};
    number.end = i;

    if (i < text.size() && IsExponentLetter(text[i])) {
        std::size_t j = i + 1;
        bool negativeExponent = j < text.size() && text[j] == '-';
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
        std::int64_t exponent = 0;
        std::size_t firstDigit = j;
        for (; j < text.size() && IsDigit(text[j]); ++j)
            exponent = std::min(exponent * 10 + (text[j] - '0'), ExponentCap);
        if (j > firstDigit) {
            text[i] = 'e';
            number.end = j;
            scale += negativeExponent ? -exponent : exponent;
        }
    }
    number.atLeastOne = nonZero && scale > 0;
    return number;
}

} // namespace

double TextToNumber(std::string_view text) {
    std::string normal = Normalise(text);
    NumberSpan number = FindNumber(normal);
    if (number.begin == number.end) return 0;
    double value = 0;
    const char* first = normal.data() + number.begin;
    if (std::from_chars(first, normal.data() + number.end, value).ec ==
        std::errc::result_out_of_range)
        return std::copysign(number.atLeastOne ? HUGE_VAL : 0.0, number.negative ? -1.0 : 1.0);
    return value;
}
