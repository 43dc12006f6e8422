#include "app/FatalErrorText.h"

#include "app/Decimal.h"

namespace {

std::string_view When(bool present, std::string_view piece) {
    return present ? piece : std::string_view();
}

} // namespace

Text FatalErrorText(std::string_view message, std::int32_t code) {
    bool hasCode = code != 0;
    bool hasMessage = !message.empty();
    return ConcatTexts({"运行时出错!\r\n\r\n", When(hasCode, "错误代码："),
                        When(hasCode, Decimal(code).view()), When(hasCode, "\r\n\r\n"),
                        When(hasMessage, "错误信息："), message, When(hasMessage, "\r\n")});
}

Text AllocationFailureMessage(std::size_t bytes) {
    return ConcatTexts({"分配 ", Decimal(bytes).view(), " 字节内存失败!"});
}
