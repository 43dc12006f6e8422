// Text and icon labels of dialogs (the text and the icon of a message box): painted over the
// skin's background so that no box of another colour shows around them.
#include "skinengine/Engine.h"
#include "skinengine/OffscreenPaint.h"
#include "skinengine/SelfPainted.h"

namespace skin {
namespace {

UINT TextFormat(LONG style) {
    UINT format = DT_EXPANDTABS | ((style & SS_NOPREFIX) ? DT_NOPREFIX : 0);
    switch (style & SS_TYPEMASK) {
    case SS_CENTER: return format | DT_CENTER | DT_WORDBREAK;
    case SS_RIGHT: return format | DT_RIGHT | DT_WORDBREAK;
    case SS_SIMPLE: return format | DT_SINGLELINE;
    case SS_LEFTNOWORDWRAP: return format;
    default: return format | DT_WORDBREAK;
    }
}

void DrawLabelText(HWND window, HDC dc, RECT client, const Skin& skin, LONG style) {
    const int length = GetWindowTextLengthW(window);
    if (length <= 0) return;
    auto* text = static_cast<wchar_t*>(
        HeapAlloc(GetProcessHeap(), 0, (static_cast<SIZE_T>(length) + 1) * sizeof(wchar_t)));
    if (!text) return;
    if (GetWindowTextW(window, text, length + 1) > 0) {
        auto font = reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0));
        if (!font) font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
        const HGDIOBJ previousFont = SelectObject(dc, font);
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(
            dc, ToColorRef(IsWindowEnabled(window) ? skin.clientText : skin.clientDisabledText));
        DrawTextW(dc, text, -1, &client, TextFormat(style));
        SelectObject(dc, previousFont);
    }
    HeapFree(GetProcessHeap(), 0, text);
}

void PaintStaticNow(HWND window, HDC target) {
    const SkinResources* resources = CurrentSkin();
    RECT client;
    GetClientRect(window, &client);
    OffscreenPaint paint(client);
    if (!resources || !paint.Ready()) return;
    PaintBackgroundFor(window, paint.canvas(), ToRect(client));
    const LONG style = GetWindowLongW(window, GWL_STYLE);
    if ((style & SS_TYPEMASK) == SS_ICON) {
        if (const auto icon = reinterpret_cast<HICON>(SendMessageW(window, STM_GETICON, 0, 0)))
            DrawIconEx(paint.Dc(), 0, 0, icon, client.right, client.bottom, 0, nullptr, DI_NORMAL);
    } else {
        DrawLabelText(window, paint.Dc(), client, resources->skin, style);
    }
    paint.CopyTo(target);
}

bool ChangesLook(UINT message) {
    return message == WM_SETTEXT || message == WM_ENABLE || message == STM_SETICON ||
           message == STM_SETIMAGE || message == WM_SETFONT;
}

} // namespace

LRESULT StaticProc(DressedWindow& dressed, HWND window, UINT message, WPARAM wParam,
                   LPARAM lParam) {
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        if (const HDC dc = BeginPaint(window, &ps)) {
            PaintStaticNow(window, dc);
            EndPaint(window, &ps);
        }
        return 0;
    }
    case WM_PRINTCLIENT: PaintStaticNow(window, reinterpret_cast<HDC>(wParam)); return 0;
    case WM_ERASEBKGND: return 1;
    default:
        if (ChangesLook(message)) {
            const LRESULT result = CallOriginal(dressed, window, message, wParam, lParam);
            if (!dressed.destroyed) RepaintNow(window);
            return result;
        }
        break;
    }
    return CallOriginal(dressed, window, message, wParam, lParam);
}

} // namespace skin
