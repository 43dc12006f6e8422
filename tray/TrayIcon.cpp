#include "tray/TrayIcon.h"

#include <shellapi.h>

#include <cstring>

#include "app/Text.h"
#include "app/framework/Properties.h"
#include "app/framework/WindowIcons.h"
#include "tray/TrayIconImage.h"
#include "tray/TrayRecord.h"

static_assert(sizeof(TrayRecord) == NOTIFYICONDATAA_V1_SIZE);

namespace {

// The handle shown in the notification area, and the tip it was shown with.
UniqueIcon trayIcon;
Text trayTip;

std::uint32_t HandleValue(const void* handle) {
    return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(handle));
}

void Notify(DWORD action, const TrayRecord& record) {
    NOTIFYICONDATAA data = {};
    std::memcpy(&data, &record, sizeof record);
    Shell_NotifyIconA(action, &data);
}

} // namespace

void SetTrayIcon(HWND window, ByteBlockView iconFile, const char* tip) {
    UniqueIcon icon = MakeTrayIcon(iconFile.Bytes(), IconFromImage);
    trayTip = Text::Copy(tip ? tip : "");
    TrayRecord record = icon ? TrayRecordToShow(HandleValue(window), HandleValue(icon.Get()), trayTip.view())
                             : TrayRecordToDelete(HandleValue(window), trayTip.view());
    TrayUpdate update = DecideTrayUpdate(static_cast<bool>(trayIcon), static_cast<bool>(icon));
    switch (update.action) {
    case TrayAction::Add: Notify(NIM_ADD, record); break;
    case TrayAction::Modify: Notify(NIM_MODIFY, record); break;
    case TrayAction::Delete: Notify(NIM_DELETE, record); break;
    case TrayAction::None: break;
    }
    trayIcon = std::move(icon); // destroys the handle it replaces
}

void InstallTrayIcon() {
    ByteBlock icon = ReadIcon();
    SetTrayIcon(MainWindowHandle(), icon.View(), "定时关机");
}

void RemoveTrayIcon() { SetTrayIcon(MainWindowHandle(), ByteBlockView(), nullptr); }

void AddTrayIconAgain() {
    if (!trayIcon) return;
    Notify(NIM_ADD, TrayRecordToShow(HandleValue(MainWindowHandle()), HandleValue(trayIcon.Get()), trayTip.view()));
}
