#pragma once
#include <cstdint>
#include <string_view>

// The one way the program reports a fatal error: an error box, the exit clean-up,
// then the process ends with exit code -1. Nothing of the failed operation runs on.
[[noreturn]] void ReportFatalError(std::string_view message, std::int32_t code);
