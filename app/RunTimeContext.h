#pragma once

// The context every part of the program relies on, made once at start.
void StartRunTime();
// The directory of the program's own file, without a trailing backslash.
const char* RunDirectory();
// Suspends events for good, releases the late-bound libraries and OLE.
void ExitCleanUp();
