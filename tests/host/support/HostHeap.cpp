// The host tests' process heap: plain malloc, so the sanitizers see every block.
#include <cstdio>
#include <cstdlib>

#include "app/Heap.h"

namespace heap {
void* Allocate(std::size_t bytes) {
    void* block = std::malloc(bytes ? bytes : 1);
    if (!block) {
        std::fprintf(stderr, "out of memory allocating %zu bytes\n", bytes);
        std::abort();
    }
    return block;
}
void Release(void* block) noexcept { std::free(block); }
} // namespace heap
