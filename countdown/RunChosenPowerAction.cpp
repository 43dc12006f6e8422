#include "countdown/RunChosenPowerAction.h"

#include "app/framework/Properties.h"
#include "countdown/PowerAction.h"
#include "countdown/PowerSystemWin32.h"

void RunChosenPowerAction() {
    using enum ControlId;
    PowerSystemWin32 system;
    if (ReadChecked(单选框_关机)) {
        PowerAction(system, PowerOff);
    } else if (ReadChecked(单选框_注销)) {
        PowerAction(system, LogOff);
    } else if (ReadChecked(单选框_重启)) {
        PowerAction(system, Reboot);
    }
}
