// Drop-down lists: the closed box, painted whole by the skin, and the open list (and plain
// list boxes), whose items the skin paints. Selection, scrolling and keyboard handling stay
// with the controls' own procedures.
#include "skinengine/Engine.h"
#include "skinengine/OffscreenPaint.h"
#include "skinengine/SelfPainted.h"
#include "skinengine/SkinPainter.h"

namespace skin {
namespace {

void DrawItemText(HDC dc, const wchar_t* text, RECT box, Rgb colour) {
    box.left += 3;
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ToColorRef(colour));
    DrawTextW(dc, text, -1, &box, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
}

void PaintComboNow(HWND window, const DressedWindow& dressed, HDC target) {
    const SkinResources* resources = CurrentSkin();
    RECT client;
    GetClientRect(window, &client);
    OffscreenPaint paint(client);
    if (!resources || !paint.Ready()) return;
    const Skin& skin = resources->skin;
    const bool enabled = IsWindowEnabled(window);
    const bool dropped = SendMessageW(window, CB_GETDROPPEDSTATE, 0, 0) != FALSE;
    const bool focused = GetFocus() == window;
    const Look look = !enabled ? Look::Disabled : dressed.hover ? Look::Hover : Look::Normal;
    PaintBackgroundFor(window, paint.canvas(), ToRect(client));
    const RECT textBox =
        ToRECT(PaintComboBox(paint.canvas(), skin, ToRect(client), look, focused, dropped));
    // A drop-down list's window text is its selected item.
    wchar_t text[256];
    if (GetWindowTextW(window, text, 256) > 0) {
        const HGDIOBJ previousFont = SelectObject(paint.Dc(), FontOf(window));
        const Rgb colour = !enabled              ? skin.clientDisabledText
                           : focused && !dropped ? skin.listSelectText
                                                 : skin.comboText;
        DrawItemText(paint.Dc(), text, textBox, colour);
        SelectObject(paint.Dc(), previousFont);
    }
    paint.CopyTo(target);
}

bool ItemText(HWND list, int index, wchar_t (&text)[256]) {
    const LRESULT length = SendMessageW(list, LB_GETTEXTLEN, index, 0);
    if (length < 0 || length >= 256) return false;
    return SendMessageW(list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(text)) != LB_ERR;
}

void PaintListNow(HWND window, HDC target) {
    const SkinResources* resources = CurrentSkin();
    RECT client;
    GetClientRect(window, &client);
    OffscreenPaint paint(client);
    if (!resources || !paint.Ready()) return;
    const Skin& skin = resources->skin;
    paint.canvas().FillRect(ToRect(client), skin.listBack);
    const HDC dc = paint.Dc();
    const HGDIOBJ previousFont = SelectObject(dc, FontOf(window));
    const int count = static_cast<int>(SendMessageW(window, LB_GETCOUNT, 0, 0));
    const bool columns = GetWindowLongW(window, GWL_STYLE) & LBS_MULTICOLUMN;
    for (int index = static_cast<int>(SendMessageW(window, LB_GETTOPINDEX, 0, 0));
         index >= 0 && index < count; ++index) {
        RECT item;
        if (SendMessageW(window, LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&item)) == LB_ERR)
            break;
        if (item.left >= client.right || (!columns && item.top >= client.bottom)) break;
        const bool selected = SendMessageW(window, LB_GETSEL, index, 0) > 0;
        paint.SyncBeforeCanvas();
        PaintListItem(paint.canvas(), skin, ToRect(item), selected);
        wchar_t text[256];
        if (ItemText(window, index, text))
            DrawItemText(dc, text, item, selected ? skin.listSelectText : skin.listText);
    }
    SelectObject(dc, previousFont);
    paint.CopyTo(target);
}

void PaintListBorder(HWND window) {
    const SkinResources* resources = CurrentSkin();
    if (!resources || !(GetWindowLongW(window, GWL_STYLE) & WS_BORDER)) return;
    if (const HDC dc = GetWindowDC(window)) {
        RECT rect;
        GetWindowRect(window, &rect);
        const RECT outline = {0, 0, rect.right - rect.left, rect.bottom - rect.top};
        FrameRect(dc, &outline, resources->borderBrush);
        ReleaseDC(window, dc);
    }
}

// Messages after which the closed box may have drawn itself in its standard look.
bool ChangesComboLook(UINT message) {
    switch (message) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENABLE:
    case WM_SETFONT:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_KEYDOWN:
    case WM_CHAR:
    case WM_MOUSEWHEEL:
    case WM_COMMAND:
    case WM_CAPTURECHANGED:
    case CB_SETCURSEL:
    case CB_SELECTSTRING:
    case CB_SHOWDROPDOWN:
    case CB_RESETCONTENT: return true;
    default: return false;
    }
}

// Messages that can move the selection or the scroll position of a list.
bool MovesList(UINT message) {
    switch (message) {
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_KEYDOWN:
    case WM_CHAR:
    case WM_MOUSEWHEEL:
    case WM_VSCROLL:
    case WM_HSCROLL:
    case WM_TIMER:
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case LB_SETCURSEL:
    case LB_SETSEL:
    case LB_SETTOPINDEX:
    case LB_SELECTSTRING: return true;
    default: return false;
    }
}

struct ListState {
    LRESULT selection, top, count;
    friend bool operator==(const ListState&, const ListState&) = default;
};

ListState StateOf(HWND list) {
    return {SendMessageW(list, LB_GETCURSEL, 0, 0), SendMessageW(list, LB_GETTOPINDEX, 0, 0),
            SendMessageW(list, LB_GETCOUNT, 0, 0)};
}

} // namespace

LRESULT ComboProc(DressedWindow& dressed, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return SelfPaintedProc(
        dressed, window, message, wParam, lParam,
        [&](HDC dc) { PaintComboNow(window, dressed, dc); }, ChangesComboLook);
}

LRESULT ListProc(DressedWindow& dressed, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const auto paintNow = [&](HDC dc) { PaintListNow(window, dc); };
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        if (const HDC dc = BeginPaint(window, &ps)) {
            paintNow(dc);
            EndPaint(window, &ps);
        }
        return 0;
    }
    case WM_PRINTCLIENT: paintNow(reinterpret_cast<HDC>(wParam)); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_NCPAINT: {
        const LRESULT result = CallOriginal(dressed, window, message, wParam, lParam);
        PaintListBorder(window);
        return result;
    }
    case WM_WINDOWPOSCHANGED: {
        // The open list shows or hides: its drop-down list changes its look with it.
        const LRESULT result = CallOriginal(dressed, window, message, wParam, lParam);
        const auto* position = reinterpret_cast<const WINDOWPOS*>(lParam);
        if (dressed.owner && (position->flags & (SWP_SHOWWINDOW | SWP_HIDEWINDOW)))
            InvalidateRect(dressed.owner, nullptr, FALSE);
        return result;
    }
    default:
        if (MovesList(message)) {
            const ListState before = StateOf(window);
            const LRESULT result = CallOriginal(dressed, window, message, wParam, lParam);
            if (!dressed.destroyed &&
                (message == WM_SETFOCUS || message == WM_KILLFOCUS || !(StateOf(window) == before)))
                PaintOnOwnDc(window, paintNow);
            return result;
        }
        break;
    }
    return CallOriginal(dressed, window, message, wParam, lParam);
}

} // namespace skin
