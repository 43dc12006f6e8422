#pragma once
#include <cstdint>
#include <type_traits>

extern "C" std::uint32_t QtCallStdcall(const void* function, const std::uint32_t* arguments,
                                       std::uint32_t count, std::int32_t* stackDelta);

namespace checked_call_detail {
[[noreturn]] void ReportUnbalancedStack();
template <typename T>
std::uint32_t Word(T value) {
    static_assert(sizeof(T) <= 4, "foreign calls take 32-bit arguments");
    if constexpr (std::is_pointer_v<T>) {
        return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(value));
    } else {
        return static_cast<std::uint32_t>(value);
    }
}
} // namespace checked_call_detail

// Calls a foreign standard-call function and verifies that the stack is where it was
// before the arguments were pushed; a callee that was declared wrongly is fatal (error 6).
template <typename... Arguments>
std::uint32_t CallStdcallChecked(const void* function, Arguments... arguments) {
    const std::uint32_t words[] = {checked_call_detail::Word(arguments)..., 0};
    std::int32_t stackDelta = 0;
    std::uint32_t result = QtCallStdcall(function, words, sizeof...(Arguments), &stackDelta);
    if (stackDelta != 0) checked_call_detail::ReportUnbalancedStack();
    return result;
}
