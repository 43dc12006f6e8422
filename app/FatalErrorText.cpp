#include "app/FatalErrorText.h"

#include <charconv>

namespace {

template <typename Number>
std::string_view Decimal(char (&buffer)[24], Number value) {
    return {buffer, static_cast<std::size_t>(std::to_chars(buffer, buffer + sizeof buffer, value).ptr - buffer)};
}

std::string_view When(bool present, std::string_view piece) { return present ? piece : std::string_view(); }

} // namespace

Text FatalErrorText(std::string_view message, std::int32_t code) {
    char digits[24];
    bool hasCode = code != 0;
    bool hasMessage = !message.empty();
    return ConcatTexts({"运行时出错!\r\n\r\n", When(hasCode, "错误代码："), When(hasCode, Decimal(digits, code)),
                        When(hasCode, "\r\n\r\n"), When(hasMessage, "错误信息："), message,
                        When(hasMessage, "\r\n")});
}

Text AllocationFailureMessage(std::size_t bytes) {
    char digits[24];
    return ConcatTexts({"分配 ", Decimal(digits, bytes), " 字节内存失败!"});
}
