#pragma once

// While events are suspended no event reaches a handler, whatever the window system
// reports meanwhile. Suspension nests; the exit and the fatal-error path suspend for good.
void SuspendEvents();
void ResumeEvents();
bool EventsSuspended();
