#include "countdown/Countdown.h"

#include "app/framework/Properties.h"
#include "countdown/CountdownArithmetic.h"
#include "countdown/RunChosenPowerAction.h"
#include "countdown/TextToNumber.h"

std::int32_t RemainingSeconds = 0;

namespace {

using enum ControlId;
constexpr int OneSecond = 1000;

double ChosenNumber(ControlId list) { return TextToNumber(ReadText(list).view()); }

} // namespace

void ArmCountdown() {
    WriteDisabled(按钮_确定, 1);
    WriteDisabled(按钮_取消, 0);
    double hours = ChosenNumber(组合框_小时);
    double minutes = ChosenNumber(组合框_分钟);
    double seconds = ChosenNumber(组合框_秒);
    RemainingSeconds = TotalSeconds(hours, minutes, seconds);
    WriteInterval(时钟1, OneSecond);
}

void StopCountdown() {
    if (!ReadDisabled(按钮_确定)) { // not armed
        WriteDisabled(按钮_取消, 1);
        return;
    }
    WriteDisabled(按钮_确定, 0);
    WriteDisabled(按钮_取消, 1);
    WriteInterval(时钟1, 0);
}

void CountdownTick() {
    --RemainingSeconds;
    WriteCaption(标签1, RemainingTimeText(RemainingSeconds).view());
    if (RemainingSeconds == 0) RunChosenPowerAction(); // once: the count never comes back up
}
