#pragma once
#include <string_view>

#include "app/Text.h"

// Binding a function by name at its first call: which libraries are tried, in which
// order, and which are released again. Platform-free over a narrow loader seam.
class LibraryLoader {
public:
    using Module = void*;
    using Address = void*;
    virtual Module Load(const char* path) = 0;                    // null on failure
    virtual Address Find(Module module, const char* function) = 0; // null when not exported
    virtual void Free(Module module) = 0;

protected:
    ~LibraryLoader() = default;
};

struct BoundFunction {
    LibraryLoader::Module module = nullptr;
    LibraryLoader::Address address = nullptr; // null: binding failed
};

// The libraries searched, in order, for a function whose entry names no library.
inline constexpr const char* SystemLibraries[] = {"Kernel32.dll", "Gdi32.dll",    "User32.dll",
                                                  "Advapi32.dll", "Mpr.dll",      "Shell32.dll"};

// library may be empty. A named library without a colon is tried as runDirectory\library
// first, then by its bare name; one with a colon only as it stands. On failure every
// library loaded on the way has been released.
BoundFunction BindFunction(LibraryLoader& loader, std::string_view runDirectory, std::string_view library,
                           const char* function);

// The fatal message for a function that could not be bound.
Text BindingFailureMessage(std::string_view library, std::string_view function);
