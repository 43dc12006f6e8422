// The program's heap is the process heap; running out of it is fatal.
#include <windows.h>

#include "app/FatalError.h"
#include "app/FatalErrorText.h"
#include "app/Heap.h"

namespace heap {
void* Allocate(std::size_t bytes) {
    void* block = HeapAlloc(GetProcessHeap(), 0, bytes);
    if (!block) ReportFatalError(AllocationFailureMessage(bytes).view(), 0);
    return block;
}
void Release(void* block) noexcept {
    if (block) HeapFree(GetProcessHeap(), 0, block);
}
} // namespace heap
