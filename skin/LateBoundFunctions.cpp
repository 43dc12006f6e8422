#include "skin/LateBoundFunctions.h"

#include <windows.h>

#include "app/FatalError.h"
#include "app/RunTimeContext.h"
#include "skin/LateBinding.h"

namespace {

struct Entry {
    const char* library; // empty: search the system libraries
    const char* function;
    BoundFunction bound;
};

Entry entries[] = {
    {"SkinH_EL.dll", "SkinH_AttachRes", {}},
    {"", "ShellExecuteA", {}},
};

class SystemLoader final : public LibraryLoader {
public:
    Module Load(const char* path) override { return LoadLibraryA(path); }
    Address Find(Module module, const char* function) override {
        return reinterpret_cast<Address>(GetProcAddress(static_cast<HMODULE>(module), function));
    }
    void Free(Module module) override { FreeLibrary(static_cast<HMODULE>(module)); }
};

} // namespace

const void* LateBoundAddress(LateBound which) {
    Entry& entry = entries[static_cast<int>(which)];
    if (!entry.bound.address) {
        SystemLoader loader;
        entry.bound = BindFunction(loader, RunDirectory(), entry.library, entry.function);
        if (!entry.bound.address) ReportFatalError(BindingFailureMessage(entry.library, entry.function).view(), 0);
    }
    return entry.bound.address;
}

void ReleaseLateBoundLibraries() {
    for (Entry& entry : entries) {
        if (entry.bound.module) FreeLibrary(static_cast<HMODULE>(entry.bound.module));
        entry.bound = {};
    }
}
