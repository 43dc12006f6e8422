#include "countdown/CountdownArithmetic.h"

#include <charconv>
#include <cmath>

namespace {

constexpr double TwoTo63 = 9223372036854775808.0;

std::int64_t TruncateTo64(double value) {
    if (!std::isfinite(value) || std::fabs(value) >= TwoTo63) return INT64_MIN;
    return static_cast<std::int64_t>(value); // truncates toward zero
}

struct Decimal {
    char digits[12];
    std::size_t length;
    std::string_view View() const { return {digits, length}; }
};

Decimal DecimalOf(std::int32_t value) {
    Decimal decimal;
    decimal.length = static_cast<std::size_t>(std::to_chars(decimal.digits, decimal.digits + sizeof decimal.digits, value).ptr -
                                              decimal.digits);
    return decimal;
}

} // namespace

std::int32_t TotalSeconds(double hours, double minutes, double seconds) {
    double total = (hours * 3600 + minutes * 60) + seconds;
    auto low = static_cast<std::uint32_t>(static_cast<std::uint64_t>(TruncateTo64(total)));
    return static_cast<std::int32_t>(low);
}

Text RemainingTimeText(std::int32_t remaining) {
    std::int32_t totalMinutes = remaining / 60;
    Decimal hours = DecimalOf(totalMinutes / 60);
    Decimal minutes = DecimalOf(totalMinutes % 60);
    Decimal seconds = DecimalOf(remaining % 60);
    return ConcatTexts({"距离关机还剩", hours.View(), "小时", minutes.View(), "分", seconds.View(), "秒"});
}
