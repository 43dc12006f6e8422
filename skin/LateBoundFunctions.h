#pragma once
#include "skin/CheckedCall.h"

// Foreign functions the program calls by name, bound at their first call.
enum class LateBound {
    SkinH_AttachRes = 0, // in SkinH_EL.dll beside the program
    ShellExecuteA = 1,   // no library named: found among the system libraries
};

// The entry's address, bound on the first call; a failed binding is fatal.
const void* LateBoundAddress(LateBound entry);

// Calls the entry with standard-call arguments and checks the stack afterwards.
template <typename... Arguments>
std::uint32_t CallLateBound(LateBound entry, Arguments... arguments) {
    return CallStdcallChecked(LateBoundAddress(entry), arguments...);
}

// The exit clean-up: every library an entry was bound from is released.
void ReleaseLateBoundLibraries();
