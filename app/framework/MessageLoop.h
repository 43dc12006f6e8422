#pragma once

// Runs the message loop until WM_QUIT; returns the exit code it carries.
int RunMessageLoop();
// Set once the loop has been entered: only then does destroying the last window quit.
bool MessageLoopEntered();
