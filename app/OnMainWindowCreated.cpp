#include "app/OnMainWindowCreated.h"

#include "tray/TrayIcon.h"

void OnMainWindowCreated() { InstallTrayIcon(); }
