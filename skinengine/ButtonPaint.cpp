// Push buttons, radio buttons and check boxes: painted whole by the skin. Their own
// procedure keeps all behaviour (clicks, checking, focus); where it draws on its own, on a
// state change, the skin paints over it at once.
#include "skinengine/Engine.h"
#include "skinengine/OffscreenPaint.h"
#include "skinengine/SelfPainted.h"
#include "skinengine/SkinPainter.h"

namespace skin {
namespace {

constexpr int kMarkSize = 13;

UINT TextFormat(LONG style, bool pushButton) {
    UINT format = DT_NOCLIP;
    switch (style & BS_CENTER) {
    case BS_LEFT: format |= DT_LEFT; break;
    case BS_RIGHT: format |= DT_RIGHT; break;
    case BS_CENTER: format |= DT_CENTER; break;
    default: format |= pushButton ? DT_CENTER : DT_LEFT; break;
    }
    format |= (style & BS_MULTILINE) ? DT_WORDBREAK : DT_SINGLELINE;
    return format;
}

// Where the text lands inside `box` with `format`, vertical placement from the style.
RECT PlaceText(HDC dc, const wchar_t* text, RECT box, UINT format, LONG style) {
    RECT measured = box;
    DrawTextW(dc, text, -1, &measured, format | DT_CALCRECT);
    const int height = measured.bottom - measured.top, room = box.bottom - box.top;
    int top = box.top + (room - height) / 2;
    if ((style & BS_VCENTER) == BS_TOP) top = box.top;
    if ((style & BS_VCENTER) == BS_BOTTOM) top = box.bottom - height;
    const int width = measured.right - measured.left;
    int left = box.left;
    if (format & DT_CENTER) left = box.left + (box.right - box.left - width) / 2;
    if (format & DT_RIGHT) left = box.right - width;
    return {left, top, left + width, top + height};
}

Look LookOf(HWND window, const DressedWindow& dressed) {
    if (!IsWindowEnabled(window)) return Look::Disabled;
    if (SendMessageW(window, BM_GETSTATE, 0, 0) & BST_PUSHED) return Look::Pressed;
    return dressed.hover ? Look::Hover : Look::Normal;
}

void PaintButtonNow(HWND window, const DressedWindow& dressed, HDC target) {
    const SkinResources* resources = CurrentSkin();
    RECT client;
    GetClientRect(window, &client);
    OffscreenPaint paint(client);
    if (!resources || !paint.Ready()) return;
    const Skin& skin = resources->skin;
    const LONG style = GetWindowLongW(window, GWL_STYLE);
    const Look look = LookOf(window, dressed);
    const bool focused = GetFocus() == window;
    wchar_t text[256];
    if (GetWindowTextW(window, text, 256) <= 0) text[0] = L'\0';
    const HDC dc = paint.Dc();
    const HGDIOBJ previousFont = SelectObject(dc, FontOf(window));

    PaintBackgroundFor(window, paint.canvas(), ToRect(client));
    const bool push = dressed.kind == WindowKind::PushButton;
    const UINT format = TextFormat(style, push);
    RECT textBox;
    Rgb textColour;
    if (push) {
        const ButtonLook button{look, focused, (style & BS_TYPEMASK) == BS_DEFPUSHBUTTON};
        textBox =
            PlaceText(dc, text, ToRECT(PaintButton(paint.canvas(), skin, ToRect(client), button)),
                      format, style);
        textColour = ButtonTextColour(skin, look);
    } else {
        const bool markRight = style & BS_RIGHTBUTTON;
        const int top = (client.bottom - kMarkSize) / 2;
        const int left = markRight ? client.right - kMarkSize : 0;
        const Rect mark{left, top, left + kMarkSize, top + kMarkSize};
        const int checked = static_cast<int>(SendMessageW(window, BM_GETCHECK, 0, 0));
        RECT room = markRight ? RECT{0, 0, client.right - kMarkSize - 4, client.bottom}
                              : RECT{kMarkSize + 4, 0, client.right, client.bottom};
        textBox = PlaceText(dc, text, room, format, style);
        paint.SyncBeforeCanvas();
        PaintCheckMark(paint.canvas(), skin, mark, dressed.kind == WindowKind::RadioButton, checked,
                       look);
        if (focused && text[0])
            PaintTextFocus(
                paint.canvas(), skin,
                {textBox.left - 2, textBox.top - 1, textBox.right + 2, textBox.bottom + 1});
        textColour = look == Look::Disabled ? skin.clientDisabledText : skin.clientText;
    }
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ToColorRef(textColour));
    DrawTextW(dc, text, -1, &textBox, format);
    SelectObject(dc, previousFont);
    paint.CopyTo(target);
}

// Messages after which the button may have drawn itself in its standard look.
bool ChangesLook(UINT message) {
    switch (message) {
    case BM_SETSTATE:
    case BM_SETCHECK:
    case BM_SETSTYLE:
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENABLE:
    case WM_SETTEXT:
    case WM_SETFONT:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_LBUTTONUP:
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_CAPTURECHANGED:
    case WM_UPDATEUISTATE: return true;
    default: return false;
    }
}

} // namespace

LRESULT ButtonProc(DressedWindow& dressed, HWND window, UINT message, WPARAM wParam,
                   LPARAM lParam) {
    return SelfPaintedProc(
        dressed, window, message, wParam, lParam,
        [&](HDC dc) { PaintButtonNow(window, dressed, dc); }, ChangesLook);
}

} // namespace skin
