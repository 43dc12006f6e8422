#pragma once
#include <cstddef>

// Every dynamic text and byte block of the program lives on the process heap.
// Allocate never returns null: a failed allocation is a fatal error.
namespace heap {
void* Allocate(std::size_t bytes);
void Release(void* block) noexcept;
} // namespace heap
