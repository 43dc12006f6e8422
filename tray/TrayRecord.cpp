#include "tray/TrayRecord.h"

#include <algorithm>

#include "app/ControlIds.h"

namespace {

TrayRecord BaseRecord(std::uint32_t window, std::string_view tip) {
    TrayRecord record{};
    record.cbSize = sizeof(TrayRecord);
    record.hWnd = window;
    record.uID = TrayIconId;
    std::copy_n(tip.begin(), std::min(tip.size(), TrayTipLimit), record.szTip);
    return record;
}

} // namespace

TrayRecord TrayRecordToShow(std::uint32_t window, std::uint32_t icon, std::string_view tip) {
    TrayRecord record = BaseRecord(window, tip);
    record.uFlags = TrayShowFlags;
    record.uCallbackMessage = TrayCallbackMessage;
    record.hIcon = icon;
    return record;
}

TrayRecord TrayRecordToDelete(std::uint32_t window, std::string_view tip) {
    return BaseRecord(window, tip);
}

TrayUpdate DecideTrayUpdate(bool hasOldIcon, bool hasNewIcon) {
    if (hasOldIcon) return {hasNewIcon ? TrayAction::Modify : TrayAction::Delete, true};
    return {hasNewIcon ? TrayAction::Add : TrayAction::None, false};
}
