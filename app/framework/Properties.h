#pragma once
#include <string_view>

#include <windows.h>

#include "app/ControlIds.h"
#include "app/framework/MenuTree.h"
#include "app/Text.h"
#include "skin/ByteBlock.h"

// The handlers' only way to the window and its controls. Logical values read as 0 or 1;
// any non-zero value written counts as true. Texts read are fresh heap texts.

// MainWindow
int ReadVisible();
void WriteVisible(int visible);
int ReadWindowState();              // 2 minimised, 3 maximised, else 0
void WriteWindowState(int state);   // clamped to 0..3; acts only while visible
ByteBlock ReadIcon();               // the window's icon file, byte for byte

// Controls
int ReadDisabled(ControlId button);
void WriteDisabled(ControlId button, int disabled);
int ReadChecked(ControlId radio);
Text ReadCaption(ControlId label);
void WriteCaption(ControlId label, std::string_view caption);
Text ReadText(ControlId list);      // the selected item's text
int ReadInterval(ControlId timer);
void WriteInterval(ControlId timer, int milliseconds);
Text ReadAddress(ControlId link);
void WriteAddress(ControlId link, std::string_view address);
int Navigate(ControlId link);       // opens the box's target: 1 when something started

// For the window operations of the subsystems (tray icon, popup menu): the window
// itself and its stored menu tree.
HWND MainWindowHandle();
MenuTree MainWindowMenu();

// Asks for MainWindow to be destroyed: at once with now, else when the message loop
// next delivers messages, after the running handler has ended.
void RequestDestroy(bool now = false);
