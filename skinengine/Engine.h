#pragma once
// The engine's inside: the skin in force with the GDI objects made from it, the record the
// engine keeps for each window it dresses, and the window procedures of each kind.
#include <windows.h>

#include "skinengine/Canvas.h"
#include "skinengine/SkinFile.h"
#include "skinengine/WindowKind.h"

namespace skin {

// The skin in force and what is made from it once: nothing here is created while painting.
struct SkinResources {
    Skin skin;
    HBRUSH faceBrush = nullptr;   // answers WM_CTLCOLOR* for dressed controls
    HBRUSH listBrush = nullptr;   // background of open lists
    HBRUSH borderBrush = nullptr; // border of open lists
    HBRUSH menuBrush = nullptr;   // background of popup menus
    HFONT captionFont = nullptr;
};

// The skin in force, or null while no skin is attached.
const SkinResources* CurrentSkin();

// Attaches a skin read from the bytes: see Export.cpp for the results.
int AttachSkin(const void* data, int size);
// Frees every GDI object of the engine; the process is going away.
void ReleaseEngine();
HINSTANCE EngineModule();
void SetEngineModule(HINSTANCE module);

// What the engine keeps for one dressed window, stored as a window property.
struct DressedWindow {
    WNDPROC original = nullptr;
    bool unicode = false;
    WindowKind kind = WindowKind::None;
    int depth = 0;          // nesting of our window procedure on this window
    bool destroyed = false; // WM_NCDESTROY seen: free once depth is back to 0
    bool hover = false;     // the mouse is over the control
    bool active = false;    // frames: the caption is drawn active
    int hotPart = 0;        // frames: the caption button under the mouse (HT code)
    int pressedPart = 0;    // frames: the caption button held down (HT code)
    bool pressedInside = false;
    SIZE regionSize = {}; // frames: the size the window region was made for
    HWND owner = nullptr; // open lists of drop-down lists: the drop-down list
    // Frames: where hit-testing put the system menu and the caption buttons, found once for
    // the geometry and styles named here.
    struct {
        bool valid;
        SIZE size;
        Rect client;
        LONG style, exStyle;
        Rect icon, slots[3];
    } caption = {};
};

// Dressing: subclassing a window, and finding the record of a dressed one.
void DressWindow(HWND window, WindowKind kind, HWND owner);
void DressThreadWindows();
DressedWindow* FindDressed(HWND window);
LRESULT CallOriginal(DressedWindow& dressed, HWND window, UINT message, WPARAM wParam,
                     LPARAM lParam);
bool InstallCreationHook();

// Per kind: the window procedure in front of the original one, and the first look.
LRESULT FrameProc(DressedWindow& dressed, HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT ButtonProc(DressedWindow& dressed, HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT ComboProc(DressedWindow& dressed, HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT ListProc(DressedWindow& dressed, HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT StaticProc(DressedWindow& dressed, HWND window, UINT message, WPARAM wParam, LPARAM lParam);
void PrepareFrame(HWND window, DressedWindow& dressed);

// Shared painting helpers.
COLORREF ToColorRef(Rgb colour);
// Paints the skin's client background under `area` (logical coordinates of hdc, which
// draws on `window`), continuing the background of the window's top-level ancestor.
void PaintClientBackground(HWND window, HDC hdc, RECT area);
// The same onto a canvas whose coordinates are the window's client coordinates.
void PaintBackgroundFor(HWND window, Canvas& canvas, Rect area);
// Repaints a dressed control at once, also when its own procedure drew on it directly.
void RepaintNow(HWND window);

} // namespace skin
