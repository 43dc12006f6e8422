// The skin engine's test window: laid out like the program's main window (240 by 186, fixed
// frame, minimise box, three drop-down lists, three radio buttons, three push buttons, a red
// status label and a blue link drawn by a class of its own), dressed by SkinH_EL.dll from the
// same directory with the skin file named on the command line.
//
//   skinengine_testhost SKIN LOG [--attach-first] [--pos X Y] [--message-box] [--menu]
//                       [--disable] [--drop] [--overstate] [--repaint N]
//
// SKIN may be a missing file (an empty skin is attached then). --overstate hands the skin over
// at the very end of readable memory with a size 64 bytes too large. LOG receives one line per
// fact: "attach=<result>", "window=<l t r b>", "<part>=<x y>" screen points of the parts,
// "ready" once shown and painted, then events ("moved", "minimised", "destroyed"...).
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

constexpr UINT ShowExtrasMessage = WM_APP + 1;
constexpr UINT_PTR MoveMessageBoxTimer = 1;

HANDLE logFile = INVALID_HANDLE_VALUE;
HWND mainWindow = nullptr;
HFONT statusFont = nullptr, linkFont = nullptr;
HWND created[16];
int createdCount = 0;

struct Options {
    const char* skin = "";
    bool attachFirst = false, messageBox = false, menu = false, disable = false, drop = false,
         overstate = false;
    int x = 20, y = 20, repaints = 0;
} options;

void Log(const char* format, ...) {
    char line[256];
    va_list args;
    va_start(args, format);
    const int length = vsnprintf(line, sizeof(line) - 1, format, args);
    va_end(args);
    if (length <= 0) return;
    line[length] = '\n';
    DWORD written;
    WriteFile(logFile, line, static_cast<DWORD>(length + 1), &written, nullptr);
    FlushFileBuffers(logFile);
}

void LogCentre(const char* name, HWND control) {
    RECT rect;
    GetWindowRect(control, &rect);
    Log("%s=%ld %ld", name, (rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
}

int AttachSkin() {
    using AttachRes = int(__stdcall*)(const void*, int, const char*, int, int, int);
    const HMODULE engine = LoadLibraryA("SkinH_EL.dll");
    const auto attach = engine ? reinterpret_cast<AttachRes>(reinterpret_cast<void*>(
                                     GetProcAddress(engine, "SkinH_AttachRes")))
                               : nullptr;
    if (!attach) return 1000;
    const HANDLE file = CreateFileA(options.skin, GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, 0, nullptr);
    DWORD size = file == INVALID_HANDLE_VALUE ? 0 : GetFileSize(file, nullptr);
    // A copy on the heap, freed as soon as the call returns, as the program does.
    auto* bytes = static_cast<unsigned char*>(HeapAlloc(GetProcessHeap(), 0, size + 1));
    DWORD read = 0;
    if (file != INVALID_HANDLE_VALUE) {
        ReadFile(file, bytes, size, &read, nullptr);
        CloseHandle(file);
    }
    int result;
    if (options.overstate) {
        // The skin ends where readable memory ends, and the size claims 64 bytes more.
        const DWORD page = 64 * 1024;
        auto* area = static_cast<unsigned char*>(
            VirtualAlloc(nullptr, 2 * page, MEM_RESERVE, PAGE_NOACCESS));
        VirtualAlloc(area, page, MEM_COMMIT, PAGE_READWRITE);
        memcpy(area + page - read, bytes, read);
        result = attach(area + page - read, static_cast<int>(read + 64), "", 0, 0, 0);
        VirtualFree(area, 0, MEM_RELEASE);
    } else {
        result = attach(bytes, static_cast<int>(read), "", 0, 0, 0);
    }
    HeapFree(GetProcessHeap(), 0, bytes);
    return result;
}

// The program's own label class: colours and font of its own, background of its parent.
struct LabelLook {
    COLORREF colour;
    HFONT font;
    bool transparent, centred;
};

LRESULT CALLBACK LabelProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_ERASEBKGND) return 1;
    if (message != WM_PAINT) return DefWindowProcA(window, message, wParam, lParam);
    const auto* look = reinterpret_cast<const LabelLook*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    PAINTSTRUCT ps;
    const HDC dc = BeginPaint(window, &ps);
    RECT client;
    GetClientRect(window, &client);
    if (look->transparent) {
        // Let the parent draw what lies beneath, in its own coordinates.
        POINT origin = {0, 0};
        MapWindowPoints(window, GetParent(window), &origin, 1);
        POINT previous;
        SetViewportOrgEx(dc, -origin.x, -origin.y, &previous);
        SendMessageA(GetParent(window), WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
        SetViewportOrgEx(dc, previous.x, previous.y, nullptr);
    } else {
        FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    }
    char text[128];
    GetWindowTextA(window, text, sizeof(text));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, look->colour);
    const HGDIOBJ previousFont = SelectObject(dc, look->font);
    DrawTextA(dc, text, -1, &client,
              DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | (look->centred ? DT_CENTER : DT_LEFT));
    SelectObject(dc, previousFont);
    EndPaint(window, &ps);
    return 0;
}

HWND Label(HWND parent, const char* text, int x, int y, int w, int h, const LabelLook* look) {
    const HWND label =
        CreateWindowExA(0, "QuorvelLabel", text, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, x, y, w,
                        h, parent, nullptr, GetModuleHandleA(nullptr), nullptr);
    SetWindowLongPtrA(label, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(look));
    created[createdCount++] = label;
    InvalidateRect(label, nullptr, TRUE);
    return label;
}

HWND Control(HWND parent, const char* cls, const char* text, DWORD style, int x, int y, int w,
             int h, int id) {
    const HWND control = CreateWindowExA(
        0, cls, text, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | style, x, y, w, h, parent,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), nullptr);
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)),
                 0);
    created[createdCount++] = control;
    return control;
}

HWND Combo(HWND parent, int x, int y, int items, int id) {
    const HWND combo = Control(parent, "ComboBox", "", CBS_DROPDOWNLIST | WS_TABSTOP | WS_VSCROLL,
                               x, y, 40, 160, id);
    for (int i = 0; i < items; ++i) {
        char text[8];
        snprintf(text, sizeof(text), "%d", i);
        SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    }
    SendMessageA(combo, CB_SETCURSEL, 0, 0);
    return combo;
}

void BuildControls(HWND window) {
    static const LabelLook blue = {
        RGB(0, 0, 255), static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)), true, true};
    static LabelLook red = {RGB(255, 0, 0), nullptr, false, false};
    static LabelLook link = {RGB(0, 0, 255), nullptr, false, true};
    red.font = statusFont;
    link.font = linkFont;
    Label(window, "quorvel.example.com", 47, 122, 137, 14, &link);
    const HWND ok =
        Control(window, "Button", "确定", BS_PUSHBUTTON | WS_TABSTOP, 10, 57, 61, 33, 1002);
    const HWND quit =
        Control(window, "Button", "退出", BS_PUSHBUTTON | WS_TABSTOP, 163, 57, 61, 33, 1003);
    const HWND cancel =
        Control(window, "Button", "取消", BS_PUSHBUTTON | WS_TABSTOP, 85, 57, 61, 33, 1004);
    const HWND logoff =
        Control(window, "Button", "注销", BS_AUTORADIOBUTTON | WS_TABSTOP, 170, 34, 48, 24, 1005);
    Control(window, "Button", "重启", BS_AUTORADIOBUTTON | WS_TABSTOP, 92, 34, 48, 24, 1006);
    const HWND off =
        Control(window, "Button", "关机", BS_AUTORADIOBUTTON | WS_TABSTOP, 17, 35, 48, 24, 1007);
    const HWND seconds = Combo(window, 182, 10, 60, 1008);
    Label(window, "秒", 150, 7, 41, 26, &blue);
    Combo(window, 107, 10, 60, 1010);
    Label(window, "分钟", 75, 7, 41, 26, &blue);
    Label(window, "小时", 0, 7, 41, 26, &blue);
    Combo(window, 32, 10, 25, 1013);
    const HWND status = Label(window, "距离关机还剩0小时29分59秒", 20, 96, 198, 24, &red);
    SendMessageA(off, BM_SETCHECK, BST_CHECKED, 0);
    // Stacked in creation order, the first on top, as the program stacks its controls.
    for (int i = 0; i < createdCount; ++i)
        SetWindowPos(created[i], HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    if (options.disable) EnableWindow(cancel, FALSE);
    LogCentre("ok", ok);
    LogCentre("quit", quit);
    LogCentre("cancel", cancel);
    LogCentre("logoff", logoff);
    LogCentre("seconds", seconds);
    LogCentre("status", status);
}

// The caption buttons and a point of the caption bar, where the window's own hit-testing
// finds them.
void LogCaptionParts(HWND window) {
    RECT rect;
    GetWindowRect(window, &rect);
    POINT client = {0, 0};
    ClientToScreen(window, &client);
    const int row = (rect.top + client.y) / 2;
    const struct {
        LRESULT hit;
        const char* name;
    } parts[] = {{HTCLOSE, "close"}, {HTMINBUTTON, "minimise"}, {HTCAPTION, "caption"}};
    for (const auto& part : parts) {
        int first = -1, last = -1;
        for (int x = rect.left; x < rect.right; ++x) {
            if (SendMessageA(window, WM_NCHITTEST, 0, MAKELPARAM(x, row)) != part.hit) continue;
            if (first < 0) first = x;
            last = x;
        }
        if (first >= 0) Log("%s=%d %d", part.name, (first + last) / 2, row);
    }
}

void ShowExtras(HWND window) {
    if (options.drop) SendMessageA(GetDlgItem(window, 1008), CB_SHOWDROPDOWN, TRUE, 0);
    if (options.messageBox) {
        SetTimer(window, MoveMessageBoxTimer, 50, nullptr);
        MessageBoxA(window, "倒计时结束后将关闭计算机。\n确定要继续吗?", "提示",
                    MB_OKCANCEL | MB_ICONQUESTION);
        Log("message-box-closed");
    }
    if (options.menu) {
        const HMENU menu = CreatePopupMenu();
        const char* items[] = {"显示窗口", nullptr,    "取消定时", nullptr,   "广告地址",
                               nullptr,    "官方网站", nullptr,    "退出工具"};
        for (int i = 0; i < 9; ++i)
            AppendMenuA(menu, items[i] ? MF_STRING : MF_SEPARATOR, 20001 + i, items[i]);
        RECT rect;
        GetWindowRect(window, &rect);
        SetForegroundWindow(window);
        TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_TOPALIGN, rect.right + 10, rect.top, 0, window,
                       nullptr);
        DestroyMenu(menu);
        Log("menu-closed");
    }
}

BOOL CALLBACK MoveMessageBox(HWND window, LPARAM) {
    char name[16];
    GetClassNameA(window, name, sizeof(name));
    if (strcmp(name, "#32770") != 0 || !IsWindowVisible(window)) return TRUE;
    RECT main;
    GetWindowRect(mainWindow, &main);
    SetWindowPos(window, nullptr, main.right + 10, main.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    UpdateWindow(window);
    RECT rect;
    GetWindowRect(window, &rect);
    Log("message-box=%ld %ld %ld %ld", rect.left, rect.top, rect.right, rect.bottom);
    KillTimer(mainWindow, MoveMessageBoxTimer);
    return FALSE;
}

LRESULT CALLBACK MainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_MOVE:
        Log("moved=%d %d", static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
        break;
    case WM_SIZE:
        if (wParam == SIZE_MINIMIZED) Log("minimised");
        break;
    case WM_COMMAND:
        if (HIWORD(wParam) == BN_CLICKED) Log("clicked=%d", LOWORD(wParam));
        break;
    case WM_TIMER:
        if (wParam == MoveMessageBoxTimer)
            EnumThreadWindows(GetCurrentThreadId(), MoveMessageBox, 0);
        break;
    case WM_ENTERIDLE:
        if (wParam == MSGF_MENU) {
            static bool logged = false;
            if (!logged) Log("menu-open");
            logged = true;
        }
        break;
    case ShowExtrasMessage: ShowExtras(window); return 0;
    case WM_CLOSE: Log("closing"); break;
    case WM_DESTROY:
        Log("destroyed");
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

void RepaintAndCount(HWND window) {
    const UINT flags = RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW;
    RedrawWindow(window, nullptr, nullptr, flags);
    const DWORD before = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    for (int i = 0; i < options.repaints; ++i)
        RedrawWindow(window, nullptr, nullptr, flags);
    Log("gdi-objects=%lu %lu", before, GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS));
}

bool ParseOptions(int argc, char** argv) {
    if (argc < 3) return false;
    options.skin = argv[1];
    for (int i = 3; i < argc; ++i) {
        if (!strcmp(argv[i], "--attach-first"))
            options.attachFirst = true;
        else if (!strcmp(argv[i], "--message-box"))
            options.messageBox = true;
        else if (!strcmp(argv[i], "--menu"))
            options.menu = true;
        else if (!strcmp(argv[i], "--disable"))
            options.disable = true;
        else if (!strcmp(argv[i], "--drop"))
            options.drop = true;
        else if (!strcmp(argv[i], "--overstate"))
            options.overstate = true;
        else if (!strcmp(argv[i], "--pos") && i + 2 < argc) {
            options.x = atoi(argv[++i]);
            options.y = atoi(argv[++i]);
        } else if (!strcmp(argv[i], "--repaint") && i + 1 < argc)
            options.repaints = atoi(argv[++i]);
        else
            return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (!ParseOptions(argc, argv)) {
        fprintf(stderr, "usage: %s SKIN LOG [options]\n", argv[0]);
        return 2;
    }
    logFile =
        CreateFileA(argv[2], GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (logFile == INVALID_HANDLE_VALUE) return 3;

    const HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSA frame = {};
    frame.lpfnWndProc = MainProc;
    frame.hInstance = instance;
    frame.hCursor = LoadCursor(nullptr, IDC_ARROW);
    frame.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    frame.lpszClassName = "QuorvelTimerTestHost";
    WNDCLASSA label = {};
    label.lpfnWndProc = LabelProc;
    label.hInstance = instance;
    label.hCursor = LoadCursor(nullptr, IDC_ARROW);
    label.lpszClassName = "QuorvelLabel";
    if (!RegisterClassA(&frame) || !RegisterClassA(&label)) return 4;
    statusFont =
        CreateFontA(14, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, PROOF_QUALITY, 0, "宋体");
    linkFont = CreateFontA(12, 0, 0, 0, FW_BOLD, 0, TRUE, 0, DEFAULT_CHARSET, 0, 0, PROOF_QUALITY,
                           0, "宋体");

    if (options.attachFirst) Log("attach=%d", AttachSkin());
    mainWindow =
        CreateWindowExA(0, frame.lpszClassName, "Quorvel_定时关机1.0版",
                        WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, options.x,
                        options.y, 240, 186, nullptr, nullptr, instance, nullptr);
    if (!mainWindow) return 5;
    const HICON icon = LoadIcon(nullptr, IDI_APPLICATION);
    SendMessageA(mainWindow, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    SendMessageA(mainWindow, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    SendMessageA(mainWindow, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)),
                 0);
    BuildControls(mainWindow);
    if (!options.attachFirst) Log("attach=%d", AttachSkin());
    ShowWindow(mainWindow, SW_SHOW);
    UpdateWindow(mainWindow);
    RECT rect;
    GetWindowRect(mainWindow, &rect);
    Log("window=%ld %ld %ld %ld", rect.left, rect.top, rect.right, rect.bottom);
    LogCaptionParts(mainWindow);
    if (options.repaints > 0) RepaintAndCount(mainWindow);
    Log("ready");
    PostMessageA(mainWindow, ShowExtrasMessage, 0, 0);

    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (IsDialogMessageA(mainWindow, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    CloseHandle(logFile);
    return 0;
}
