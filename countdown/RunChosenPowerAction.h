#pragma once

// At zero: the first checked of 关机, 注销, 重启 (in that order) decides the power action.
void RunChosenPowerAction();
