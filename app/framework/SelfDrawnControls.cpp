#include "app/framework/SelfDrawnControls.h"

#include "app/framework/Form.h"

namespace {

constexpr const char* LabelClass = "QuorvelLabel";
constexpr const char* TransparentLabelClass = "QuorvelTransparentLabel";
constexpr const char* HyperlinkClass = "QuorvelHyperlink";

Form::ControlState* StateOf(HWND window) {
    return reinterpret_cast<Form::ControlState*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

COLORREF TextColourOf(const Form::ControlState& state) {
    if (state.def->kind != ControlKind::HyperlinkBox) return state.def->textColour;
    const HyperlinkColours& colours = state.form->Def().linkColours;
    if (state.hover) return colours.hover;
    return state.visited ? colours.visited : colours.normal;
}

UINT AlignmentOf(ControlKind kind) {
    UINT alignment = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX;
    return kind == ControlKind::Label ? alignment | DT_LEFT : alignment | DT_CENTER;
}

// One paint for WM_PAINT and WM_PRINTCLIENT.
void Paint(HWND window, HDC dc, const Form::ControlState& state) {
    RECT client;
    GetClientRect(window, &client);
    // A transparent label paints no background: it is painted after whatever lies
    // below it (WS_EX_TRANSPARENT), which shows through, the controls beside it included.
    if (state.def->kind != ControlKind::TransparentLabel) FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    char text[256];
    int length = GetWindowTextA(window, text, sizeof text);
    HGDIOBJ oldFont = SelectObject(dc, state.font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, TextColourOf(state));
    DrawTextA(dc, text, length, &client, AlignmentOf(state.def->kind));
    SelectObject(dc, oldFont);
}

bool ContainsCursor(HWND window, LPARAM lParam) {
    RECT client;
    GetClientRect(window, &client);
    POINT point = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    return PtInRect(&client, point);
}

void SetHover(HWND window, Form::ControlState& state, bool hover) {
    if (state.hover == hover) return;
    state.hover = hover;
    InvalidateRect(window, nullptr, FALSE);
}

// The box follows the mouse by capturing it while the mouse is over it.
void OnHyperlinkMouseMove(HWND window, Form::ControlState& state, LPARAM lParam) {
    if (ContainsCursor(window, lParam)) {
        SetCursor(LoadCursorA(nullptr, IDC_HAND));
        if (!state.hover) {
            SetCapture(window);
            SetHover(window, state, true);
        }
    } else if (state.hover) {
        ReleaseCapture(); // WM_CAPTURECHANGED clears the hover colour
    }
}

void OnHyperlinkClick(HWND window, Form::ControlState& state) {
    int opened = state.form->Navigate(state.def->id);
    state.visited = opened == 1;
    if (opened == 1) InvalidateRect(window, nullptr, FALSE);
}

LRESULT CALLBACK SelfDrawnProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    Form::ControlState* state = StateOf(window);
    if (!state) return DefWindowProcA(window, message, wParam, lParam);
    switch (message) {
    case WM_ERASEBKGND: return 1; // painted with the text, without flicker
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        Paint(window, dc, *state);
        EndPaint(window, &paint);
        return 0;
    }
    case WM_PRINTCLIENT: Paint(window, reinterpret_cast<HDC>(wParam), *state); return 0;
    case WM_SETTEXT: {
        LRESULT result = DefWindowProcA(window, message, wParam, lParam);
        InvalidateRect(window, nullptr, FALSE);
        return result;
    }
    case WM_NCHITTEST:
        // Labels let the mouse through to the window, as static text does.
        if (state->def->kind != ControlKind::HyperlinkBox) return HTTRANSPARENT;
        break;
    case WM_SETCURSOR:
        if (state->def->kind == ControlKind::HyperlinkBox) {
            SetCursor(LoadCursorA(nullptr, IDC_HAND));
            return TRUE;
        }
        break;
    case WM_MOUSEMOVE:
        if (state->def->kind == ControlKind::HyperlinkBox) OnHyperlinkMouseMove(window, *state, lParam);
        return 0;
    case WM_CAPTURECHANGED: SetHover(window, *state, false); return 0;
    case WM_LBUTTONDOWN:
        if (state->def->kind == ControlKind::HyperlinkBox) OnHyperlinkClick(window, *state);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

bool Register(HINSTANCE instance, const char* name) {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = SelfDrawnProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.lpszClassName = name;
    return RegisterClassA(&windowClass) != 0;
}

} // namespace

bool RegisterSelfDrawnClasses(HINSTANCE instance) {
    return Register(instance, LabelClass) && Register(instance, TransparentLabelClass) &&
           Register(instance, HyperlinkClass);
}

DWORD SelfDrawnExStyle(ControlKind kind) { return kind == ControlKind::TransparentLabel ? WS_EX_TRANSPARENT : 0; }

const char* SelfDrawnClassName(ControlKind kind) {
    switch (kind) {
    case ControlKind::Label: return LabelClass;
    case ControlKind::TransparentLabel: return TransparentLabelClass;
    case ControlKind::HyperlinkBox: return HyperlinkClass;
    default: return nullptr;
    }
}
