#pragma once
#include <string_view>

// Reads a decimal number from the start of a CP936 text, full-width digits, signs,
// full stop and spaces counting as their ASCII forms. No digits: 0; too large for a
// double: an infinity of its sign; too small: 0. Reads alike in every locale.
double TextToNumber(std::string_view text);
