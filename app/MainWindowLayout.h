#pragma once
#include "app/framework/Layout.h"

// MainWindow as stored: the window, its controls, its menu tree and its event bindings.
const WindowDef& MainWindowLayout();
