// Top-level windows: frame, caption bar and caption buttons, the client background, the
// colours of dressed controls, and popup menus. Hit-testing, moving and the system menu stay
// with the window's own procedure; the caption buttons are drawn exactly where its
// hit-testing puts them.
#include "skinengine/Engine.h"
#include "skinengine/OffscreenPaint.h"
#include "skinengine/SelfPainted.h"
#include "skinengine/SkinPainter.h"

namespace skin {
namespace {

enum Slot { MinSlot, MaxSlot, CloseSlot, SlotCount };
constexpr int kSlotHits[SlotCount] = {HTMINBUTTON, HTMAXBUTTON, HTCLOSE};
HMODULE dwm = nullptr;

struct FrameLayout {
    Point size;   // the window's outer size
    Rect client;  // the client area, window coordinates
    Rect inner;   // client area with menu bar and scroll bars: drawn by the window itself
    Rect caption; // the caption bar
    Rect icon;    // where the system menu icon sits, empty when there is none
    Rect slots[SlotCount];
};

int HitAt(HWND window, const RECT& windowRect, int x, int y) {
    const LPARAM point =
        MAKELPARAM(static_cast<short>(windowRect.left + x), static_cast<short>(windowRect.top + y));
    return static_cast<int>(DefWindowProcW(window, WM_NCHITTEST, 0, point));
}

// Finds the spans of the caption that the window's hit-testing gives to the system menu and
// to each caption button, by asking it along the caption's middle row and down its buttons.
void ProbeCaption(HWND window, const RECT& windowRect, FrameLayout& layout) {
    const int row = (layout.caption.top + layout.caption.bottom) / 2;
    for (int x = layout.caption.left; x < layout.caption.right; ++x) {
        const int hit = HitAt(window, windowRect, x, row);
        Rect* span = hit == HTSYSMENU ? &layout.icon : nullptr;
        for (int slot = 0; slot < SlotCount; ++slot)
            if (hit == kSlotHits[slot]) span = &layout.slots[slot];
        if (!span) continue;
        if (span->Empty()) *span = {x, layout.caption.top, x + 1, layout.caption.bottom};
        span->right = x + 1;
    }
    for (Rect& slot : layout.slots) {
        if (slot.Empty()) continue;
        const int column = (slot.left + slot.right) / 2;
        const int hit = HitAt(window, windowRect, column, row);
        int top = row, bottom = row + 1;
        while (top > 0 && HitAt(window, windowRect, column, top - 1) == hit)
            --top;
        while (bottom < layout.caption.bottom && HitAt(window, windowRect, column, bottom) == hit)
            ++bottom;
        slot.top = top;
        slot.bottom = bottom;
    }
}

FrameLayout LayoutOf(HWND window, DressedWindow& dressed) {
    FrameLayout layout;
    RECT windowRect, clientRect;
    GetWindowRect(window, &windowRect);
    GetClientRect(window, &clientRect);
    POINT origin = {0, 0};
    ClientToScreen(window, &origin);
    layout.size = {windowRect.right - windowRect.left, windowRect.bottom - windowRect.top};
    layout.client =
        ToRect(clientRect).Offset(origin.x - windowRect.left, origin.y - windowRect.top);
    const int frame = layout.client.left;
    int captionBottom = layout.client.top;
    if (GetMenu(window)) {
        MENUBARINFO bar = {};
        bar.cbSize = sizeof(bar);
        if (GetMenuBarInfo(window, OBJID_MENU, 0, &bar))
            captionBottom = bar.rcBar.top - windowRect.top;
    }
    layout.inner = {frame, captionBottom, layout.size.x - frame, layout.size.y - frame};
    layout.caption = {frame, frame, layout.size.x - frame, captionBottom};
    auto& cache = dressed.caption;
    const LONG style = GetWindowLongW(window, GWL_STYLE),
               exStyle = GetWindowLongW(window, GWL_EXSTYLE);
    if (!(cache.valid && cache.size.cx == layout.size.x && cache.size.cy == layout.size.y &&
          cache.client == layout.client && cache.style == style && cache.exStyle == exStyle)) {
        if (!layout.caption.Empty()) ProbeCaption(window, windowRect, layout);
        cache = {true,
                 {layout.size.x, layout.size.y},
                 layout.client,
                 style,
                 exStyle,
                 layout.icon,
                 {layout.slots[0], layout.slots[1], layout.slots[2]}};
    }
    layout.icon = cache.icon;
    for (int slot = 0; slot < SlotCount; ++slot)
        layout.slots[slot] = cache.slots[slot];
    return layout;
}

bool CloseDisabled(HWND window) {
    const HMENU menu = GetSystemMenu(window, FALSE);
    return !menu || (GetMenuState(menu, SC_CLOSE, MF_BYCOMMAND) & (MF_GRAYED | MF_DISABLED));
}

bool SlotEnabled(HWND window, int slot) {
    const LONG style = GetWindowLongW(window, GWL_STYLE);
    if (slot == MinSlot) return style & WS_MINIMIZEBOX;
    if (slot == MaxSlot) return style & WS_MAXIMIZEBOX;
    return !CloseDisabled(window);
}

Look SlotLook(HWND window, const DressedWindow& dressed, int slot) {
    const int hit = kSlotHits[slot];
    if (!SlotEnabled(window, slot)) return Look::Disabled;
    if (dressed.pressedPart == hit) return dressed.pressedInside ? Look::Pressed : Look::Hover;
    if (dressed.hotPart == hit && !dressed.pressedPart) return Look::Hover;
    return Look::Normal;
}

HICON SmallIconOf(HWND window) {
    auto icon = reinterpret_cast<HICON>(SendMessageW(window, WM_GETICON, ICON_SMALL, 0));
    if (!icon) icon = reinterpret_cast<HICON>(SendMessageW(window, WM_GETICON, ICON_BIG, 0));
    if (!icon) icon = reinterpret_cast<HICON>(GetClassLongPtrW(window, GCLP_HICONSM));
    if (!icon) icon = reinterpret_cast<HICON>(GetClassLongPtrW(window, GCLP_HICON));
    return icon;
}

void DrawCaptionText(HWND window, HDC dc, const SkinResources& resources, const FrameLayout& layout,
                     const Rect& iconBox, bool active) {
    wchar_t text[256];
    if (GetWindowTextW(window, text, 256) <= 0) return;
    const Skin& skin = resources.skin;
    int buttonsLeft = layout.caption.right;
    for (const Rect& slot : layout.slots)
        if (!slot.Empty() && slot.left < buttonsLeft) buttonsLeft = slot.left;
    RECT box = ToRECT(CaptionTextRect(layout.caption, iconBox, buttonsLeft));
    const UINT format = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS |
                        (skin.captionAlign ? DT_CENTER : DT_LEFT);
    const HGDIOBJ previousFont = SelectObject(dc, resources.captionFont);
    SetBkMode(dc, TRANSPARENT);
    if (skin.captionTextShadow) {
        RECT shadow = {box.left + 1, box.top + 1, box.right + 1, box.bottom + 1};
        SetTextColor(dc, ToColorRef(skin.captionShadow));
        DrawTextW(dc, text, -1, &shadow, format);
    }
    SetTextColor(dc, ToColorRef(active ? skin.captionText : skin.captionInactiveText));
    DrawTextW(dc, text, -1, &box, format);
    SelectObject(dc, previousFont);
}

void PaintFrameNow(HWND window, DressedWindow& dressed) {
    const SkinResources* resources = CurrentSkin();
    if (!resources || IsIconic(window)) return;
    const FrameLayout layout = LayoutOf(window, dressed);
    OffscreenPaint paint({0, 0, layout.size.x, layout.size.y});
    if (!paint.Ready()) return;
    const Skin& skin = resources->skin;
    PaintFrame(paint.canvas(), skin, layout.size, layout.caption, layout.inner, dressed.active);
    const bool zoomed = IsZoomed(window);
    const CaptionGlyph glyphs[SlotCount] = {CaptionGlyph::Minimise,
                                            zoomed ? CaptionGlyph::Restore : CaptionGlyph::Maximise,
                                            CaptionGlyph::Close};
    for (int slot = 0; slot < SlotCount; ++slot)
        if (!layout.slots[slot].Empty())
            PaintCaptionButton(paint.canvas(), skin, layout.slots[slot], layout.caption,
                               glyphs[slot], SlotLook(window, dressed, slot));

    Rect iconBox;
    const HICON icon = skin.captionIcon && !layout.icon.Empty() ? SmallIconOf(window) : nullptr;
    if (icon) {
        const int x = (layout.icon.left + layout.icon.right) / 2 - 8;
        const int y = (layout.caption.top + layout.caption.bottom) / 2 - 8;
        iconBox = {x, y, x + 16, y + 16};
        DrawIconEx(paint.Dc(), x, y, icon, 16, 16, 0, nullptr, DI_NORMAL);
    }
    DrawCaptionText(window, paint.Dc(), *resources, layout, iconBox, dressed.active);

    const HDC target = GetWindowDC(window);
    if (!target) return;
    ExcludeClipRect(target, layout.inner.left, layout.inner.top, layout.inner.right,
                    layout.inner.bottom);
    paint.CopyTo(target);
    ReleaseDC(window, target);
}

// Rounded corners are made by the window's region, cut again whenever its size changes.
void UpdateRegion(HWND window, DressedWindow& dressed, bool force) {
    const SkinResources* resources = CurrentSkin();
    RECT rect;
    GetWindowRect(window, &rect);
    const SIZE size = {rect.right - rect.left, rect.bottom - rect.top};
    if (!force && size.cx == dressed.regionSize.cx && size.cy == dressed.regionSize.cy) return;
    dressed.regionSize = size;
    const int top = resources ? resources->skin.frameRadius : 0;
    const int bottom = resources ? resources->skin.frameBottomRadius : 0;
    if (IsIconic(window) || (top == 0 && bottom == 0)) {
        SetWindowRgn(window, nullptr, TRUE);
        return;
    }
    // Upper and lower halves with their own corner radius, joined.
    const int half = size.cy / 2;
    HRGN region = CreateRoundRectRgn(0, 0, size.cx + 1, half + 2 * top + 1, 2 * top, 2 * top);
    HRGN lower = CreateRoundRectRgn(0, half - 2 * bottom, size.cx + 1, size.cy + 1, 2 * bottom + 1,
                                    2 * bottom + 1);
    if (region && lower && CombineRgn(region, region, lower, RGN_OR) != ERROR) {
        if (SetWindowRgn(window, region, TRUE)) region = nullptr; // the system owns it now
    }
    if (region) DeleteObject(region);
    if (lower) DeleteObject(lower);
}

void DisableThemedFrame(HWND window) {
    // Where the desktop composes frames itself, it must leave this one to us. The library
    // stays loaded for the life of the process, as the engine does.
    using SetAttribute = HRESULT(WINAPI*)(HWND, DWORD, LPCVOID, DWORD);
    if (!dwm) dwm = LoadLibraryW(L"dwmapi.dll");
    if (!dwm) return;
    const auto set = reinterpret_cast<SetAttribute>(
        reinterpret_cast<void*>(GetProcAddress(dwm, "DwmSetWindowAttribute")));
    const int disabled = 1; // DWMNCRP_DISABLED for DWMWA_NCRENDERING_POLICY (2)
    if (set) set(window, 2, &disabled, sizeof(disabled));
}

int CaptionButtonHit(WPARAM hit) {
    return hit == HTMINBUTTON || hit == HTMAXBUTTON || hit == HTCLOSE ? static_cast<int>(hit) : 0;
}

void SetHot(HWND window, DressedWindow& dressed, int hot) {
    if (dressed.hotPart == hot) return;
    dressed.hotPart = hot;
    PaintFrameNow(window, dressed);
}

// Holds a caption button down until the mouse button is released, as the system does,
// and sends its command when the release happens over it.
void TrackCaptionButton(HWND window, DressedWindow& dressed, int hit) {
    int slot = 0;
    while (kSlotHits[slot] != hit)
        ++slot;
    if (!SlotEnabled(window, slot)) return;
    SetCapture(window);
    dressed.pressedPart = hit;
    dressed.pressedInside = true;
    PaintFrameNow(window, dressed);
    POINT point = {};
    MSG message;
    while (GetCapture() == window && GetMessageW(&message, nullptr, WM_MOUSEFIRST, WM_MOUSELAST)) {
        if (CallMsgFilterW(&message, MSGF_MAX)) continue;
        point = {static_cast<short>(LOWORD(message.lParam)),
                 static_cast<short>(HIWORD(message.lParam))};
        ClientToScreen(window, &point);
        const bool inside =
            DefWindowProcW(window, WM_NCHITTEST, 0, MAKELPARAM(point.x, point.y)) == hit;
        if (message.message == WM_LBUTTONUP) {
            dressed.pressedInside = inside;
            break;
        }
        if (message.message == WM_MOUSEMOVE && inside != dressed.pressedInside) {
            dressed.pressedInside = inside;
            PaintFrameNow(window, dressed);
        }
    }
    const bool fire = dressed.pressedInside;
    dressed.pressedPart = 0;
    dressed.pressedInside = false;
    if (GetCapture() == window) ReleaseCapture();
    PaintFrameNow(window, dressed);
    if (!fire) return;
    WPARAM command = SC_CLOSE;
    if (hit == HTMINBUTTON) command = SC_MINIMIZE;
    if (hit == HTMAXBUTTON) command = IsZoomed(window) ? SC_RESTORE : SC_MAXIMIZE;
    SendMessageW(window, WM_SYSCOMMAND, command, MAKELPARAM(point.x, point.y));
}

bool IsDressedKind(HWND control, WindowKind a, WindowKind b = WindowKind::None,
                   WindowKind c = WindowKind::None, WindowKind d = WindowKind::None) {
    const DressedWindow* dressed = FindDressed(control);
    return dressed && !dressed->destroyed &&
           (dressed->kind == a || dressed->kind == b || dressed->kind == c || dressed->kind == d);
}

void SetMenuBackground(HMENU menu, HBRUSH brush) {
    MENUINFO info = {};
    info.cbSize = sizeof(info);
    info.fMask = MIM_BACKGROUND;
    info.hbrBack = brush;
    SetMenuInfo(menu, &info);
}

// Messages after which the window's own procedure may have drawn its standard caption.
bool DrawsCaption(UINT message) {
    switch (message) {
    case WM_SETTEXT:
    case WM_SETICON:
    case WM_SYSCOMMAND:
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONUP:
    case WM_NCRBUTTONUP:
    case WM_ENABLE:
    case WM_STYLECHANGED:
    case WM_EXITMENULOOP: return true;
    default: return false;
    }
}

} // namespace

void PrepareFrame(HWND window, DressedWindow& dressed) {
    DisableThemedFrame(window);
    UpdateRegion(window, dressed, true);
}

void PaintBackgroundFor(HWND window, Canvas& canvas, Rect area) {
    const SkinResources* resources = CurrentSkin();
    if (!resources) return;
    HWND root = GetAncestor(window, GA_ROOT);
    if (!root) root = window;
    RECT rootClient;
    GetClientRect(root, &rootClient);
    POINT toRoot = {0, 0};
    MapWindowPoints(window, root, &toRoot, 1);
    PaintBackground(canvas, resources->skin, area, {toRoot.x, toRoot.y},
                    {rootClient.right, rootClient.bottom});
}

void PaintClientBackground(HWND window, HDC hdc, RECT area) {
    // Strips keep the back buffer small however large the window.
    for (int top = area.top; top < area.bottom; top += 64) {
        const RECT strip = {area.left, top, area.right,
                            top + 64 < area.bottom ? top + 64 : area.bottom};
        OffscreenPaint paint(strip);
        if (!paint.Ready()) return;
        PaintBackgroundFor(window, paint.canvas(), ToRect(strip));
        paint.CopyTo(hdc);
    }
}

LRESULT FrameProc(DressedWindow& dressed, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const SkinResources& resources = *CurrentSkin();
    switch (message) {
    case WM_CREATE: {
        const LRESULT result = CallOriginal(dressed, window, message, wParam, lParam);
        if (!dressed.destroyed) PrepareFrame(window, dressed);
        return result;
    }
    case WM_NCPAINT: {
        if (IsIconic(window)) break;
        const FrameLayout layout = LayoutOf(window, dressed);
        // A menu bar or scroll bars are the window's own to draw.
        if (!(layout.inner == layout.client))
            CallOriginal(dressed, window, message, wParam, lParam);
        PaintFrameNow(window, dressed);
        return 0;
    }
    case WM_NCACTIVATE: {
        dressed.active = wParam != FALSE;
        if (IsIconic(window)) break;
        // -1: keep the activation bookkeeping but leave the caption unpainted.
        const LRESULT result = CallOriginal(dressed, window, message, wParam, -1);
        if (!dressed.destroyed) PaintFrameNow(window, dressed);
        return result;
    }
    case WM_NCMOUSEMOVE: {
        SetHot(window, dressed, CaptionButtonHit(wParam));
        TRACKMOUSEEVENT track = {sizeof(track), TME_LEAVE | TME_NONCLIENT, window, 0};
        TrackMouseEvent(&track);
        break;
    }
    case WM_NCMOUSELEAVE:
    case WM_MOUSEMOVE: SetHot(window, dressed, 0); break;
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
        if (const int hit = CaptionButtonHit(wParam)) {
            TrackCaptionButton(window, dressed, hit);
            return 0;
        }
        break;
    case WM_WINDOWPOSCHANGED: {
        const LRESULT result = CallOriginal(dressed, window, message, wParam, lParam);
        if (!dressed.destroyed) UpdateRegion(window, dressed, false);
        return result;
    }
    case WM_ERASEBKGND: {
        RECT area;
        if (GetClipBox(reinterpret_cast<HDC>(wParam), &area) == ERROR) GetClientRect(window, &area);
        PaintClientBackground(window, reinterpret_cast<HDC>(wParam), area);
        return 1;
    }
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSTATIC: {
        const HWND control = reinterpret_cast<HWND>(lParam);
        if (!IsDressedKind(control, WindowKind::PushButton, WindowKind::CheckBox,
                           WindowKind::RadioButton, WindowKind::DialogStatic))
            break;
        const HDC dc = reinterpret_cast<HDC>(wParam);
        SetTextColor(dc, ToColorRef(IsWindowEnabled(control) ? resources.skin.clientText
                                                             : resources.skin.clientDisabledText));
        SetBkMode(dc, TRANSPARENT);
        return reinterpret_cast<LRESULT>(resources.faceBrush);
    }
    case WM_CTLCOLORLISTBOX: {
        if (!IsDressedKind(reinterpret_cast<HWND>(lParam), WindowKind::List)) break;
        const HDC dc = reinterpret_cast<HDC>(wParam);
        SetTextColor(dc, ToColorRef(resources.skin.listText));
        SetBkColor(dc, ToColorRef(resources.skin.listBack));
        return reinterpret_cast<LRESULT>(resources.listBrush);
    }
    case WM_INITMENUPOPUP: {
        const LRESULT result = CallOriginal(dressed, window, message, wParam, lParam);
        SetMenuBackground(reinterpret_cast<HMENU>(wParam), resources.menuBrush);
        return result;
    }
    case WM_UNINITMENUPOPUP:
        // The brush may go with a later skin: the menu must not keep it.
        SetMenuBackground(reinterpret_cast<HMENU>(wParam), nullptr);
        break;
    default:
        if (DrawsCaption(message)) {
            const LRESULT result = CallOriginal(dressed, window, message, wParam, lParam);
            if (!dressed.destroyed && IsWindowVisible(window)) PaintFrameNow(window, dressed);
            return result;
        }
        break;
    }
    return CallOriginal(dressed, window, message, wParam, lParam);
}

} // namespace skin
