#pragma once
// What the controls the engine paints itself have in common: conversions between the
// Canvas's rectangles and GDI's, the control's font, a paint outside WM_PAINT, and the
// window procedure that paints the control whole while its own procedure keeps all
// behaviour.
#include <windows.h>

#include "skinengine/Engine.h"

namespace skin {

inline Rect ToRect(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }
inline RECT ToRECT(const Rect& r) { return {r.left, r.top, r.right, r.bottom}; }

inline HFONT FontOf(HWND window) {
    const auto font = reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0));
    return font ? font : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

// Paints at once on the window's own DC, where its procedure may just have drawn itself.
template <typename Paint> void PaintOnOwnDc(HWND window, Paint paint) {
    if (!IsWindowVisible(window)) return;
    if (const HDC dc = GetDC(window)) {
        paint(dc);
        ReleaseDC(window, dc);
    }
}

// paint(dc) draws the whole control; changesLook(message) names the messages after which
// the control's own procedure may have drawn it in its standard look, so the skin paints
// over it at once. The mouse is tracked for the hover look.
template <typename Paint, typename ChangesLook>
LRESULT SelfPaintedProc(DressedWindow& dressed, HWND window, UINT message, WPARAM wParam,
                        LPARAM lParam, Paint paint, ChangesLook changesLook) {
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        if (const HDC dc = BeginPaint(window, &ps)) {
            paint(dc);
            EndPaint(window, &ps);
        }
        return 0;
    }
    case WM_PRINTCLIENT: paint(reinterpret_cast<HDC>(wParam)); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_MOUSEMOVE:
        if (!dressed.hover) {
            dressed.hover = true;
            TRACKMOUSEEVENT track = {sizeof(track), TME_LEAVE, window, 0};
            TrackMouseEvent(&track);
            PaintOnOwnDc(window, paint);
        }
        break;
    case WM_MOUSELEAVE:
        dressed.hover = false;
        PaintOnOwnDc(window, paint);
        break;
    default:
        if (changesLook(message)) {
            const LRESULT result = CallOriginal(dressed, window, message, wParam, lParam);
            if (!dressed.destroyed) PaintOnOwnDc(window, paint);
            return result;
        }
        break;
    }
    return CallOriginal(dressed, window, message, wParam, lParam);
}

} // namespace skin
