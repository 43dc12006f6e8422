#pragma once
#include <cstddef>
#include <cstdint>
#include <string_view>

// The first-version NOTIFYICONDATAA record as it lies in memory on 32-bit Windows.
// The Windows side copies it byte for byte into the real structure.
struct TrayRecord {
    std::uint32_t cbSize;
    std::uint32_t hWnd; // the window handle's value
    std::uint32_t uID;
    std::uint32_t uFlags;
    std::uint32_t uCallbackMessage;
    std::uint32_t hIcon; // the icon handle's value
    char szTip[64];
};
static_assert(sizeof(TrayRecord) == 88);
static_assert(offsetof(TrayRecord, hWnd) == 4);
static_assert(offsetof(TrayRecord, uID) == 8);
static_assert(offsetof(TrayRecord, uFlags) == 12);
static_assert(offsetof(TrayRecord, uCallbackMessage) == 16);
static_assert(offsetof(TrayRecord, hIcon) == 20);
static_assert(offsetof(TrayRecord, szTip) == 24);

inline constexpr std::uint32_t TrayIconId = 100;
inline constexpr std::uint32_t TrayShowFlags = 7; // NIF_MESSAGE | NIF_ICON | NIF_TIP
inline constexpr std::size_t TrayTipLimit = 62;   // bytes of the tip kept; the rest stays zero

// For NIM_ADD and NIM_MODIFY: the window's icon with its tip and callback message.
TrayRecord TrayRecordToShow(std::uint32_t window, std::uint32_t icon, std::string_view tip);
// For NIM_DELETE: the window and the icon id name the icon; uFlags is 0.
TrayRecord TrayRecordToDelete(std::uint32_t window, std::string_view tip);

// What one SetTrayIcon does with the notification area, given whether the window
// shows an icon there already and whether a new one was made.
enum class TrayAction { None, Add, Modify, Delete };
struct TrayUpdate {
    TrayAction action;
    bool destroyOldIcon; // the replaced or removed handle is the window's to destroy
    friend bool operator==(const TrayUpdate&, const TrayUpdate&) = default;
};
TrayUpdate DecideTrayUpdate(bool hasOldIcon, bool hasNewIcon);
