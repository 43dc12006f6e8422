#include "links/LinkActions.h"

#include <windows.h>

#include "app/framework/Properties.h"
#include "links/SiteAddresses.h"
#include "skin/LateBoundFunctions.h"

using enum ControlId;

void OpenAdPageAndExit() {
    WriteAddress(超级链接框1, AdPageUrl);
    Navigate(超级链接框1);
    RequestDestroy();
}

void OpenAdPage() {
    WriteAddress(超级链接框1, AdPageUrl);
    Navigate(超级链接框1);
}

void OpenOfficialSite() { ShellOpen(OfficialSiteUrl); }

void ShellOpen(const char* address) {
    HWND noOwner = nullptr;
    CallLateBound(LateBound::ShellExecuteA, noOwner, "open", address, "", "", SW_SHOWNORMAL);
}
