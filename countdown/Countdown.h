#pragma once
#include <cstdint>

// The seconds left in the countdown; it may go below zero and is never clamped.
extern std::int32_t RemainingSeconds;

// 按钮_确定: reads the chosen time and starts the one-second timer.
void ArmCountdown();
// 按钮_取消 and "取消定时": stops the timer and gives the buttons back.
void StopCountdown();
// 时钟1: one second off, the remaining time shown, the power action at exactly zero.
void CountdownTick();
