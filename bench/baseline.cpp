// The benchmark's yardstick: the least a Win32 program does to show a window of the program's
// size. One class, one 240 x 186 window with one button, shown; the message loop ends when the
// window is closed, which the benchmark probe does once it has measured.
#include <windows.h>

namespace {

constexpr char WindowClassName[] = "QuorvelBenchBaseline";

LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = WindowProcedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = WindowClassName;
    if (!RegisterClassA(&windowClass)) return 1;

    HWND window = CreateWindowExA(
        0, WindowClassName, "Baseline", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
        CW_USEDEFAULT, CW_USEDEFAULT, 240, 186, nullptr, nullptr, instance, nullptr);
    if (!window) return 1;
    CreateWindowExA(0, "BUTTON", "OK", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 10, 57,
                    61, 33, window, nullptr, instance, nullptr);
    ShowWindow(window, showCommand);

    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}
