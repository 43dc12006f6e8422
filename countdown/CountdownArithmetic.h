#pragma once
#include <cstdint>

#include "app/Text.h"

// (h × 3600 + m × 60) + s in double precision, truncated toward zero to 64 bits, of
// which the low 32 bits are kept as a signed count. A non-finite total, or one of 2^63
// or more in magnitude, gives the 64-bit value with only the top bit set: 0 here.
std::int32_t TotalSeconds(double hours, double minutes, double seconds);

// "距离关机还剩<h>小时<m>分<s>秒" for a count of seconds, negative counts included.
Text RemainingTimeText(std::int32_t remaining);
