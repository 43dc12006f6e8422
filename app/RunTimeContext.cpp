#include "app/RunTimeContext.h"

#include <windows.h>
#include <ole2.h>

#include <cstring>

#include "app/RunDirectory.h"
#include "app/framework/Events.h"
#include "skin/LateBoundFunctions.h"

namespace {
char runDirectory[MAX_PATH] = "";

bool IsAnsiLeadByte(unsigned char byte) { return IsDBCSLeadByte(byte) != FALSE; }
} // namespace

void StartRunTime() {
    OleInitialize(nullptr);
    char modulePath[MAX_PATH] = "";
    DWORD length = GetModuleFileNameA(nullptr, modulePath, sizeof modulePath);
    std::string_view directory = RunDirectoryOf({modulePath, length}, IsAnsiLeadByte);
    std::memcpy(runDirectory, directory.data(), directory.size());
    runDirectory[directory.size()] = '\0';
    SetCurrentDirectoryA(runDirectory);
}

const char* RunDirectory() { return runDirectory; }

void ExitCleanUp() {
    SuspendEvents();
    ReleaseLateBoundLibraries();
    OleUninitialize();
}
