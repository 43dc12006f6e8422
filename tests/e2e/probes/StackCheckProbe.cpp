// Calls a foreign function through the program's checked standard call, once with the
// right declaration and once with a deliberately wrong one: a callee that leaves its
// arguments on the stack (cdecl). Usage: StackCheckProbe balanced|unbalanced
#include <cstdio>
#include <cstring>

#include "skin/CheckedCall.h"

extern "C" __attribute__((stdcall, noinline)) int AddRemovingArguments(int a, int b) { return a + b; }
extern "C" __attribute__((cdecl, noinline)) int AddLeavingArguments(int a, int b) { return a + b; }

int main(int argc, char** argv) {
    bool balanced = argc > 1 && std::strcmp(argv[1], "balanced") == 0;
    const void* function = balanced ? reinterpret_cast<const void*>(AddRemovingArguments)
                                    : reinterpret_cast<const void*>(AddLeavingArguments);
    std::uint32_t sum = CallStdcallChecked(function, 2, 3); // the wrong one never returns
    std::printf("sum=%u\n", static_cast<unsigned>(sum));
    return 0;
}
