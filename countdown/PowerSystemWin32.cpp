#include "countdown/PowerSystemWin32.h"

#include <windows.h>

std::uint32_t PowerSystemWin32::PlatformId() {
    OSVERSIONINFOA version{};
    static_assert(sizeof version == 148);
    version.dwOSVersionInfoSize = sizeof version;
    GetVersionExA(&version);
    return version.dwPlatformId;
}

ProcessToken PowerSystemWin32::OpenOwnToken() {
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token))
        return {};
    return {*this, token};
}

Luid PowerSystemWin32::LookUpPrivilege(const char* name) {
    LUID luid{};
    LookupPrivilegeValueA(nullptr, name, &luid);
    return {luid.LowPart, luid.HighPart};
}

void PowerSystemWin32::EnablePrivilege(TokenHandle token, Luid privilege) {
    TOKEN_PRIVILEGES state{};
    state.PrivilegeCount = 1;
    state.Privileges[0].Luid = {privilege.lowPart, privilege.highPart};
    state.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    AdjustTokenPrivileges(token, FALSE, &state, 0, nullptr, nullptr);
}

std::uint32_t PowerSystemWin32::LastError() {
    return GetLastError();
}

void PowerSystemWin32::CloseToken(TokenHandle token) {
    CloseHandle(token);
}

bool PowerSystemWin32::ExitWindowsWith(std::uint32_t flags) {
    return ExitWindowsEx(flags, 0) != FALSE;
}

bool PowerSystemWin32::SetPowerState(bool suspend, bool force) {
    return SetSystemPowerState(suspend, force) != FALSE;
}
