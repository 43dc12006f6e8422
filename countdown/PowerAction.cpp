#include "countdown/PowerAction.h"

namespace {

bool IsNtFamily(PowerSystem& system) {
    return system.PlatformId() == VER_PLATFORM_WIN32_NT;
}

std::uint32_t ExitFlags(PowerSystem& system, int mode) {
    switch (mode) {
    case PowerOff: return IsNtFamily(system) ? EWX_POWEROFF : EWX_SHUTDOWN;
    case Reboot: return EWX_REBOOT;
    default: return EWX_LOGOFF; // LogOff
    }
}

} // namespace

bool EnableShutdownPrivilege(PowerSystem& system) {
    if (!IsNtFamily(system)) return true;
    ProcessToken token = system.OpenOwnToken();
    if (!token) return false;
    system.EnablePrivilege(token.get(), system.LookUpPrivilege("SeShutdownPrivilege"));
    // AdjustTokenPrivileges succeeds also when it could not enable the privilege, and
    // then leaves ERROR_NOT_ALL_ASSIGNED: only the last error tells.
    return system.LastError() == 0;
}

bool PowerAction(PowerSystem& system, int mode, bool force) {
    if (mode < PowerOff || mode > Hibernate) return false;
    if (!EnableShutdownPrivilege(system)) return false;
    if (mode == Suspend || mode == Hibernate) return system.SetPowerState(mode == Suspend, force);
    return system.ExitWindowsWith(ExitFlags(system, mode) | (force ? EWX_FORCE : 0));
}
