#pragma once
#include <windows.h>

#include "app/framework/Layout.h"

// Window classes of the controls that the program draws itself: the label, the
// transparent label and the hyperlink box. Each window's user data points at its
// Form::ControlState.
bool RegisterSelfDrawnClasses(HINSTANCE instance);
const char* SelfDrawnClassName(ControlKind kind); // null for the standard kinds
DWORD SelfDrawnExStyle(ControlKind kind);
