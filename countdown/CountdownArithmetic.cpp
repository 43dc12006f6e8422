#include "countdown/CountdownArithmetic.h"

#include <cmath>

#include "app/Decimal.h"

namespace {

constexpr double TwoTo63 = 9223372036854775808.0;

std::int64_t TruncateTo64(double value) {
    if (!std::isfinite(value) || std::fabs(value) >= TwoTo63) return INT64_MIN;
    return static_cast<std::int64_t>(value); // truncates toward zero
}

} // namespace

std::int32_t TotalSeconds(double hours, double minutes, double seconds) {
    double total = (hours * 3600 + minutes * 60) + seconds;
    auto low = static_cast<std::uint32_t>(static_cast<std::uint64_t>(TruncateTo64(total)));
    return static_cast<std::int32_t>(low);
}

Text RemainingTimeText(std::int32_t remaining) {
    std::int32_t totalMinutes = remaining / 60;
    Decimal hours(totalMinutes / 60), minutes(totalMinutes % 60), seconds(remaining % 60);
    return ConcatTexts(
        {"距离关机还剩", hours.view(), "小时", minutes.view(), "分", seconds.view(), "秒"});
}
