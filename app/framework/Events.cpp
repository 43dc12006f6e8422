#include "app/framework/Events.h"

namespace {
int suspensionCount = 0;
}

void SuspendEvents() { ++suspensionCount; }
void ResumeEvents() { --suspensionCount; }
bool EventsSuspended() { return suspensionCount > 0; }
