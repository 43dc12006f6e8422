#pragma once
#include <string_view>

// Reads a decimal number from the start of a CP936 text, full-width digits, signs,
// full stop and spaces counting as their ASCII forms. No digits: 0.
double TextToNumber(std::string_view text);
