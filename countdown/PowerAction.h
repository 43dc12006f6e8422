#pragma once
#include "countdown/PowerSystem.h"

enum PowerMode : int { PowerOff = 1, Reboot = 2, LogOff = 3, Suspend = 4, Hibernate = 5 };

// Asks Windows to power off, restart, log off (ExitWindowsEx), suspend or hibernate
// (SetSystemPowerState), after enabling the shut-down privilege. True when the call was
// made and reported success; a mode outside 1 to 5 does nothing and gives false.
bool PowerAction(PowerSystem& system, int mode, bool force = false);

// Enables SeShutdownPrivilege in the process token on the NT family (other platforms have
// no privileges). True when the process may now shut the system down.
bool EnableShutdownPrivilege(PowerSystem& system);
