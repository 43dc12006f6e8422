// Dressing windows: the creation hook, the windows present at the attach, and the window
// procedure that every dressed window runs through before its own.
#include "skinengine/Engine.h"

namespace skin {
namespace {

const wchar_t kPropertyName[] = L"QuorvelSkinEngine.Dressed";
HHOOK creationHook = nullptr;

LRESULT CALLBACK DressedProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

void ClassNameOf(HWND window, char (&name)[64]) {
    name[0] = '\0';
    if (window) GetClassNameA(window, name, sizeof(name));
}

WindowKind Classify(HWND window, DWORD style, HWND parent) {
    char name[64], parentName[64];
    ClassNameOf(window, name);
    ClassNameOf(parent, parentName);
    return ClassifyWindow({name, style, parentName});
}

// The open list of a drop-down list belongs to it; it is dressed through the drop-down.
void DressComboList(HWND combo) {
    COMBOBOXINFO info = {};
    info.cbSize = sizeof(info);
    if (GetComboBoxInfo(combo, &info) && info.hwndList && !FindDressed(info.hwndList)) {
        const DWORD style = static_cast<DWORD>(GetWindowLongW(info.hwndList, GWL_STYLE));
        if (Classify(info.hwndList, style, combo) == WindowKind::List)
            DressWindow(info.hwndList, WindowKind::List, combo);
    }
}

void DressExisting(HWND window) {
    if (FindDressed(window)) return;
    const DWORD style = static_cast<DWORD>(GetWindowLongW(window, GWL_STYLE));
    const HWND parent = (style & WS_CHILD) ? GetParent(window) : nullptr;
    const WindowKind kind = Classify(window, style, parent);
    // Lists of drop-downs come with their drop-down, lone top-level ones are left alone.
    if (kind == WindowKind::None || (kind == WindowKind::List && !(style & WS_CHILD))) return;
    DressWindow(window, kind, nullptr);
    if (kind == WindowKind::ComboBox) DressComboList(window);
}

BOOL CALLBACK DressChild(HWND window, LPARAM) {
    DressExisting(window);
    return TRUE;
}

BOOL CALLBACK DressTopLevel(HWND window, LPARAM) {
    DressExisting(window);
    EnumChildWindows(window, DressChild, 0);
    if (DressedWindow* dressed = FindDressed(window); dressed && dressed->kind == WindowKind::Frame)
        PrepareFrame(window, *dressed);
    RedrawWindow(window, nullptr, nullptr,
                 RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    return TRUE;
}

LRESULT CALLBACK CreationHook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND && CurrentSkin()) {
        const auto* creation = reinterpret_cast<const CBT_CREATEWNDW*>(lParam);
        const HWND window = reinterpret_cast<HWND>(wParam);
        const CREATESTRUCTW* params = creation->lpcs;
        const WindowKind kind =
            Classify(window, static_cast<DWORD>(params->style), params->hwndParent);
        if (kind != WindowKind::None) DressWindow(window, kind, params->hwndParent);
    }
    return CallNextHookEx(creationHook, code, wParam, lParam);
}

void Release(DressedWindow* dressed) {
    HeapFree(GetProcessHeap(), 0, dressed);
}

LRESULT Dispatch(DressedWindow& dressed, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!CurrentSkin() || dressed.destroyed)
        return CallOriginal(dressed, window, message, wParam, lParam);
    switch (dressed.kind) {
    case WindowKind::Frame: return FrameProc(dressed, window, message, wParam, lParam);
    case WindowKind::PushButton:
    case WindowKind::CheckBox:
    case WindowKind::RadioButton: return ButtonProc(dressed, window, message, wParam, lParam);
    case WindowKind::ComboBox: return ComboProc(dressed, window, message, wParam, lParam);
    case WindowKind::List: return ListProc(dressed, window, message, wParam, lParam);
    case WindowKind::DialogStatic: return StaticProc(dressed, window, message, wParam, lParam);
    case WindowKind::None: break;
    }
    return CallOriginal(dressed, window, message, wParam, lParam);
}

LRESULT CALLBACK DressedProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DressedWindow* dressed = FindDressed(window);
    if (!dressed)
        return IsWindowUnicode(window) ? DefWindowProcW(window, message, wParam, lParam)
                                       : DefWindowProcA(window, message, wParam, lParam);
    ++dressed->depth;
    LRESULT result;
    if (message == WM_NCDESTROY) {
        dressed->destroyed = true;
        RemovePropW(window, kPropertyName);
        result = CallOriginal(*dressed, window, message, wParam, lParam);
    } else {
        result = Dispatch(*dressed, window, message, wParam, lParam);
    }
    if (--dressed->depth == 0 && dressed->destroyed) Release(dressed);
    return result;
}

} // namespace

DressedWindow* FindDressed(HWND window) {
    return window ? static_cast<DressedWindow*>(GetPropW(window, kPropertyName)) : nullptr;
}

void DressWindow(HWND window, WindowKind kind, HWND owner) {
    if (FindDressed(window)) return;
    auto* dressed = static_cast<DressedWindow*>(
        HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, sizeof(DressedWindow)));
    if (!dressed) return;
    dressed->kind = kind;
    dressed->owner = owner;
    dressed->unicode = IsWindowUnicode(window) != FALSE;
    dressed->active = kind == WindowKind::Frame && GetActiveWindow() == window;
    if (!SetPropW(window, kPropertyName, dressed)) {
        Release(dressed);
        return;
    }
    // Subclass through the same character set the window already uses, so that nothing
    // about its text messages changes.
    const auto proc = reinterpret_cast<LONG_PTR>(DressedProc);
    dressed->original =
        reinterpret_cast<WNDPROC>(dressed->unicode ? SetWindowLongPtrW(window, GWLP_WNDPROC, proc)
                                                   : SetWindowLongPtrA(window, GWLP_WNDPROC, proc));
    if (!dressed->original) {
        RemovePropW(window, kPropertyName);
        Release(dressed);
    }
}

LRESULT CallOriginal(DressedWindow& dressed, HWND window, UINT message, WPARAM wParam,
                     LPARAM lParam) {
    return dressed.unicode ? CallWindowProcW(dressed.original, window, message, wParam, lParam)
                           : CallWindowProcA(dressed.original, window, message, wParam, lParam);
}

void DressThreadWindows() {
    EnumThreadWindows(GetCurrentThreadId(), DressTopLevel, 0);
}

bool InstallCreationHook() {
    creationHook = SetWindowsHookExW(WH_CBT, CreationHook, EngineModule(), GetCurrentThreadId());
    return creationHook != nullptr;
}

void RepaintNow(HWND window) {
    if (IsWindowVisible(window))
        RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

} // namespace skin
