#include "countdown/TextToNumber.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
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

bool IsSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The longest prefix that reads as [sign] digits [. digits] [exponent], as strtod
// wants it: the exponent letter always 'e'. Empty when no digit was found.
std::string NumberPrefix(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size() && IsSpace(text[i])) ++i;
    std::string number;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) number += text[i++];
    bool digits = false, point = false;
    for (; i < text.size(); ++i) {
        if (IsDigit(text[i])) {
            digits = true;
        } else if (text[i] == '.' && !point) {
            point = true;
        } else {
            break;
        }
        number += text[i];
    }
    if (!digits) return {};
    if (i < text.size() && (text[i] == 'E' || text[i] == 'e' || text[i] == 'D' || text[i] == 'd')) {
        std::size_t j = i + 1;
        std::string exponent = "e";
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) exponent += text[j++];
        std::size_t firstDigit = j;
        while (j < text.size() && IsDigit(text[j])) exponent += text[j++];
        if (j > firstDigit) number += exponent;
    }
    return number;
}

} // namespace

double TextToNumber(std::string_view text) {
    std::string number = NumberPrefix(Normalise(text));
    if (number.empty()) return 0;
    // The prefix holds only digits, signs, '.' and 'e', which read alike in every locale.
    errno = 0;
    double value = std::strtod(number.c_str(), nullptr);
    if (errno == ERANGE && !std::isinf(value)) return 0; // too small for a double
    return value;
}
