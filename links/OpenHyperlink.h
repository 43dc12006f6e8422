#pragma once
#include "app/framework/Layout.h"

// How the hyperlink box opens its target: through the shell, else with the command line
// of the browser registered for web pages. 1 when something was started, else 0.
int OpenHyperlinkTarget(const HyperlinkTarget& box, int showCommand);
