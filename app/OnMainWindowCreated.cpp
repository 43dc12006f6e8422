#include "app/OnMainWindowCreated.h"

#include "skin/SkinSetup.h"
#include "tray/TrayIcon.h"

namespace {
constexpr int ProgramSkin = 33;
}

void OnMainWindowCreated() {
    ApplyEmbeddedSkin(ProgramSkin);
    InstallTrayIcon();
}
