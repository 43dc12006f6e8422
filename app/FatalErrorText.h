#pragma once
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "app/Text.h"

// The text of the fatal-error box for a message and an error code (0: none).
Text FatalErrorText(std::string_view message, std::int32_t code);

// "分配 <bytes> 字节内存失败!"
Text AllocationFailureMessage(std::size_t bytes);
