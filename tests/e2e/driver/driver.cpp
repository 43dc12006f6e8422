// End-to-end test driver: a console program run with wine inside the test prefix. It carries out
// the commands of its command line, separated by ";", against the program under test and prints
// one line per result, "<command> key=value ...", flushed at once. Texts are printed as hex of
// their ANSI (code page 936) bytes. The first failing command prints "error <command> <reason>"
// and ends the run with exit code 1; a command that is not known ends it with exit code 2.
//
// The program under test outlives the driver: one run launches it and prints its pid, later runs
// attach to that pid, so a test can put xdotool calls or anything else between two runs.
#include <windows.h>

#include <shellapi.h>

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "app/ControlIds.h"

namespace {

constexpr UINT SendTimeoutMs = 5000;
constexpr DWORD PollMs = 5;

struct Session {
    DWORD pid = 0;
    HANDLE process = nullptr; // from launch, or from attach while the process still runs
    HWND window = nullptr;    // the main window, or the window find-window picked
    std::string launchDirectory;
};

using Args = std::span<const std::string>;

void Emit(const char* format, ...) {
    va_list args;
    va_start(args, format);
    std::vprintf(format, args);
    va_end(args);
    std::putchar('\n');
    std::fflush(stdout);
}

std::string Hex(std::string_view bytes) {
    static constexpr char digits[] = "0123456789abcdef";
    std::string hex;
    for (unsigned char byte : bytes) {
        hex += digits[byte >> 4];
        hex += digits[byte & 15];
    }
    return hex;
}

bool Unhex(std::string_view hex, std::string& bytes) {
    if (hex.size() % 2 != 0) return false;
    bytes.clear();
    for (size_t i = 0; i < hex.size(); i += 2) {
        char pair[3] = {hex[i], hex[i + 1], 0};
        char* end = nullptr;
        bytes += static_cast<char>(std::strtoul(pair, &end, 16));
        if (*end != 0) return false;
    }
    return true;
}

// Numbers are decimal, or hexadecimal with 0x; negative values are allowed where Windows takes
// them.
long long Number(const std::string& text) {
    return std::strtoll(text.c_str(), nullptr, 0);
}

double NowMs() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return 1000.0 * static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Polls `ready` every few milliseconds until it holds or `timeoutMs` has passed.
template <typename Ready> bool PollUntil(long long timeoutMs, Ready ready) {
    const double deadline = NowMs() + static_cast<double>(timeoutMs);
    for (;;) {
        if (ready()) return true;
        if (NowMs() >= deadline) return false;
        Sleep(PollMs);
    }
}

// Windows' rules for one argument of a command line: quotes around it when needed, and
// backslashes doubled only where they precede a quote.
void AppendQuoted(std::string& line, const std::string& arg) {
    if (!line.empty()) line += ' ';
    if (!arg.empty() && arg.find_first_of(" \t\"") == std::string::npos) {
        line += arg;
        return;
    }
    line += '"';
    size_t backslashes = 0;
    for (char c : arg) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        line.append(c == '"' ? 2 * backslashes + 1 : backslashes, '\\');
        backslashes = 0;
        line += c;
    }
    line.append(2 * backslashes, '\\');
    line += '"';
}

bool Send(HWND target, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    DWORD_PTR value = 0;
    bool answered = SendMessageTimeoutA(target, message, wParam, lParam, SMTO_NORMAL, SendTimeoutMs,
                                        &value) != 0;
    result = static_cast<LRESULT>(value);
    return answered;
}

bool ReadText(HWND target, std::string& text) {
    LRESULT length = 0;
    if (!Send(target, WM_GETTEXTLENGTH, 0, 0, length)) return false;
    std::vector<char> buffer(static_cast<size_t>(length) + 2);
    LRESULT copied = 0;
    if (!Send(target, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()), copied))
        return false;
    text.assign(buffer.data(), static_cast<size_t>(copied));
    return true;
}

std::string ClassName(HWND target) {
    char name[256] = {};
    GetClassNameA(target, name, sizeof name);
    return name;
}

DWORD WindowPid(HWND target) {
    DWORD pid = 0;
    GetWindowThreadProcessId(target, &pid);
    return pid;
}

struct MainWindowSearch {
    DWORD pid; // 0: any process
    HWND found;
};

BOOL CALLBACK MatchMainWindow(HWND candidate, LPARAM context) {
    auto* search = reinterpret_cast<MainWindowSearch*>(context);
    if (ClassName(candidate) != MainWindowClassName) return TRUE;
    if (search->pid != 0 && WindowPid(candidate) != search->pid) return TRUE;
    search->found = candidate;
    return FALSE;
}

HWND FindMainWindow(DWORD pid) {
    MainWindowSearch search{pid, nullptr};
    EnumWindows(MatchMainWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

struct ChildWalk {
    HWND parent;
    std::vector<HWND> found;
};

// EnumChildWindows walks all descendants in stacking order, the topmost first; only direct
// children are kept.
BOOL CALLBACK KeepDirectChild(HWND child, LPARAM context) {
    auto* walk = reinterpret_cast<ChildWalk*>(context);
    if (GetAncestor(child, GA_PARENT) == walk->parent) walk->found.push_back(child);
    return TRUE;
}

bool Fail(const char* command, const char* format, ...) {
    std::printf("error %s ", command);
    va_list args;
    va_start(args, format);
    std::vprintf(format, args);
    va_end(args);
    std::putchar('\n');
    std::fflush(stdout);
    return false;
}

// The commands. Each checks what it needs from the session and prints its own result line.

bool NeedWindow(Session& s, const char* command) {
    if (s.window && IsWindow(s.window)) return true;
    return Fail(command, "no-window");
}

bool Control(Session& s, const char* command, const std::string& id, HWND& control) {
    if (!NeedWindow(s, command)) return false;
    control = GetDlgItem(s.window, static_cast<int>(Number(id)));
    return control ? true : Fail(command, "no-control id=%s", id.c_str());
}

// Starts a process from the words of its command line; the caller owns the process handle.
bool StartProcess(const char* command, Args args, const std::string& directory, HANDLE& process,
                  DWORD& pid) {
    std::string line;
    for (const std::string& arg : args)
        AppendQuoted(line, arg);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        directory.empty() ? nullptr : directory.c_str(), &startup, &started))
        return Fail(command, "create-process code=%lu", GetLastError());
    CloseHandle(started.hThread);
    process = started.hProcess;
    pid = started.dwProcessId;
    return true;
}

bool Launch(Session& s, Args args) {
    if (!StartProcess("launch", args, s.launchDirectory, s.process, s.pid)) return false;
    s.window = nullptr;
    Emit("launch pid=%lu", s.pid);
    return true;
}

bool Run(Session& s, Args args) {
    HANDLE process;
    DWORD pid;
    if (!StartProcess("run", args, s.launchDirectory, process, pid)) return false;
    WaitForSingleObject(process, INFINITE);
    DWORD code = 0;
    GetExitCodeProcess(process, &code);
    CloseHandle(process);
    Emit("run code=%lu", code);
    return true;
}

bool Cwd(Session& s, Args args) {
    s.launchDirectory = args[0];
    Emit("cwd ok=1");
    return true;
}

bool Attach(Session& s, Args args) {
    s.pid = static_cast<DWORD>(Number(args[0]));
    s.process = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, s.pid);
    s.window = FindMainWindow(s.pid);
    Emit("attach pid=%lu running=%d window=%d", s.pid, s.process != nullptr, s.window != nullptr);
    return true;
}

bool WaitWindow(Session& s, Args args, bool mustBeVisible, const char* command) {
    const double start = NowMs();
    bool found = PollUntil(Number(args[0]), [&] {
        s.window = FindMainWindow(s.pid);
        return s.window && (!mustBeVisible || IsWindowVisible(s.window));
    });
    if (!found) return Fail(command, "timeout window=%d", s.window != nullptr);
    Emit("%s hwnd=0x%lx visible=%d ms=%.0f", command, reinterpret_cast<unsigned long>(s.window),
         IsWindowVisible(s.window) != 0, NowMs() - start);
    return true;
}

bool WaitWindowExists(Session& s, Args args) {
    return WaitWindow(s, args, false, "wait-window");
}
bool WaitVisible(Session& s, Args args) {
    return WaitWindow(s, args, true, "wait-visible");
}

bool FindWindowCommand(Session& s, Args args) {
    std::string caption;
    if (args[1] != "-" && !Unhex(args[1], caption)) return Fail("find-window", "bad-hex");
    const char* className = args[0] == "-" ? nullptr : args[0].c_str();
    const char* captionText = args[1] == "-" ? nullptr : caption.c_str();
    const long long timeoutMs = args.size() > 2 ? Number(args[2]) : 0;
    HWND found = nullptr;
    if (!PollUntil(timeoutMs, [&] { return (found = FindWindowA(className, captionText)); }))
        return Fail("find-window", "not-found");
    s.window = found;
    Emit("find-window hwnd=0x%lx pid=%lu class=%s visible=%d",
         reinterpret_cast<unsigned long>(found), WindowPid(found), ClassName(found).c_str(),
         IsWindowVisible(found) != 0);
    return true;
}

HWND FindMessageBox(DWORD pid) {
    for (HWND box = nullptr; (box = FindWindowExA(nullptr, box, "#32770", nullptr));)
        if (WindowPid(box) == pid && IsWindowVisible(box)) return box;
    return nullptr;
}

// Waits for a visible message box of the attached process and prints its caption, the text of
// its Static control, whether a Static control shows an icon, the ids of its visible buttons and
// whether the process's main window was seen visible while waiting. The box becomes the current
// window, so that "click 1" presses its OK button.
bool MessageBoxCommand(Session& s, Args args) {
    if (!s.pid) return Fail("message-box", "no-process");
    HWND box = nullptr;
    bool mainShown = false;
    const double start = NowMs();
    if (!PollUntil(Number(args[0]), [&] {
            HWND main = FindMainWindow(s.pid);
            mainShown = mainShown || (main && IsWindowVisible(main));
            return (box = FindMessageBox(s.pid)) != nullptr;
        }))
        return Fail("message-box", "timeout main-shown=%d", mainShown);
    ChildWalk walk{box, {}};
    EnumChildWindows(box, KeepDirectChild, reinterpret_cast<LPARAM>(&walk));
    std::string caption, text, buttons;
    bool icon = false;
    ReadText(box, caption);
    for (HWND child : walk.found) {
        const std::string kind = ClassName(child);
        if (lstrcmpiA(kind.c_str(), "Static") == 0) {
            LRESULT shown = 0;
            icon = icon || (Send(child, STM_GETICON, 0, 0, shown) && shown);
            if (text.empty()) ReadText(child, text);
        } else if (lstrcmpiA(kind.c_str(), "Button") == 0 && IsWindowVisible(child)) {
            if (!buttons.empty()) buttons += ',';
            buttons += std::to_string(GetDlgCtrlID(child));
        }
    }
    s.window = box;
    Emit("message-box hwnd=0x%lx caption=%s text=%s icon=%d buttons=%s main-shown=%d ms=%.0f",
         reinterpret_cast<unsigned long>(box), Hex(caption).c_str(), Hex(text).c_str(), icon,
         buttons.c_str(), mainShown, NowMs() - start);
    return true;
}

bool Rect(Session& s, Args) {
    if (!NeedWindow(s, "rect")) return false;
    RECT r;
    GetWindowRect(s.window, &r);
    Emit("rect left=%ld top=%ld right=%ld bottom=%ld width=%ld height=%ld", r.left, r.top, r.right,
         r.bottom, r.right - r.left, r.bottom - r.top);
    return true;
}

bool ClientRect(Session& s, Args) {
    if (!NeedWindow(s, "client-rect")) return false;
    RECT r;
    GetClientRect(s.window, &r);
    POINT origin{0, 0};
    ClientToScreen(s.window, &origin);
    Emit("client-rect width=%ld height=%ld screen-x=%ld screen-y=%ld", r.right, r.bottom, origin.x,
         origin.y);
    return true;
}

bool Style(Session& s, Args) {
    if (!NeedWindow(s, "style")) return false;
    Emit("style value=0x%08lx", static_cast<unsigned long>(GetWindowLongA(s.window, GWL_STYLE)));
    return true;
}

bool ExStyle(Session& s, Args) {
    if (!NeedWindow(s, "exstyle")) return false;
    Emit("exstyle value=0x%08lx",
         static_cast<unsigned long>(GetWindowLongA(s.window, GWL_EXSTYLE)));
    return true;
}

bool Menu(Session& s, Args) {
    if (!NeedWindow(s, "menu")) return false;
    Emit("menu present=%d", GetMenu(s.window) != nullptr);
    return true;
}

bool Caption(Session& s, Args) {
    if (!NeedWindow(s, "caption")) return false;
    std::string text;
    if (!ReadText(s.window, text)) return Fail("caption", "no-answer");
    Emit("caption text=%s", Hex(text).c_str());
    return true;
}

bool Children(Session& s, Args) {
    if (!NeedWindow(s, "children")) return false;
    ChildWalk walk{s.window, {}};
    EnumChildWindows(s.window, KeepDirectChild, reinterpret_cast<LPARAM>(&walk));
    for (HWND child : walk.found) {
        RECT r;
        GetWindowRect(child, &r);
        MapWindowPoints(HWND_DESKTOP, s.window, reinterpret_cast<POINT*>(&r), 2);
        std::string text;
        ReadText(child, text);
        Emit("child id=%d class=%s x=%ld y=%ld width=%ld height=%ld visible=%d enabled=%d "
             "style=0x%08lx exstyle=0x%08lx text=%s",
             GetDlgCtrlID(child), ClassName(child).c_str(), r.left, r.top, r.right - r.left,
             r.bottom - r.top, IsWindowVisible(child) != 0, IsWindowEnabled(child) != 0,
             static_cast<unsigned long>(GetWindowLongA(child, GWL_STYLE)),
             static_cast<unsigned long>(GetWindowLongA(child, GWL_EXSTYLE)), Hex(text).c_str());
    }
    Emit("children count=%zu", walk.found.size());
    return true;
}

bool Click(Session& s, Args args) {
    HWND button;
    if (!Control(s, "click", args[0], button)) return false;
    LRESULT ignored;
    if (!Send(button, BM_CLICK, 0, 0, ignored)) return Fail("click", "no-answer");
    Emit("click id=%s", args[0].c_str());
    return true;
}

bool Check(Session& s, Args args) {
    HWND button;
    if (!Control(s, "check", args[0], button)) return false;
    LRESULT state = 0;
    if (!Send(button, BM_GETCHECK, 0, 0, state)) return Fail("check", "no-answer");
    Emit("check id=%s value=%ld", args[0].c_str(), static_cast<long>(state));
    return true;
}

bool WaitCheck(Session& s, Args args) {
    HWND button;
    if (!Control(s, "wait-check", args[0], button)) return false;
    LRESULT state = 0;
    if (!PollUntil(Number(args[2]), [&] {
            return Send(button, BM_GETCHECK, 0, 0, state) && state == Number(args[1]);
        }))
        return Fail("wait-check", "timeout value=%ld", static_cast<long>(state));
    Emit("wait-check id=%s value=%ld", args[0].c_str(), static_cast<long>(state));
    return true;
}

bool WaitEnabled(Session& s, Args args) {
    HWND control;
    if (!Control(s, "wait-enabled", args[0], control)) return false;
    const bool wanted = Number(args[1]) != 0;
    if (!PollUntil(Number(args[2]), [&] { return (IsWindowEnabled(control) != 0) == wanted; }))
        return Fail("wait-enabled", "timeout");
    Emit("wait-enabled id=%s value=%d", args[0].c_str(), wanted);
    return true;
}

bool Enabled(Session& s, Args args) {
    HWND control;
    if (!Control(s, "enabled", args[0], control)) return false;
    Emit("enabled id=%s value=%d", args[0].c_str(), IsWindowEnabled(control) != 0);
    return true;
}

bool TextCommand(Session& s, Args args) {
    HWND control;
    if (!Control(s, "text", args[0], control)) return false;
    std::string text;
    if (!ReadText(control, text)) return Fail("text", "no-answer");
    Emit("text id=%s text=%s", args[0].c_str(), Hex(text).c_str());
    return true;
}

bool Combo(Session& s, Args args) {
    HWND combo;
    if (!Control(s, "combo", args[0], combo)) return false;
    LRESULT count = 0, selected = 0;
    if (!Send(combo, CB_GETCOUNT, 0, 0, count) || !Send(combo, CB_GETCURSEL, 0, 0, selected))
        return Fail("combo", "no-answer");
    std::string items;
    for (LRESULT i = 0; i < count; ++i) {
        // Across processes only the wide form returns the whole item text.
        DWORD_PTR length = 0;
        SendMessageTimeoutW(combo, CB_GETLBTEXTLEN, i, 0, SMTO_NORMAL, SendTimeoutMs, &length);
        std::wstring wide(length + 1, L'\0');
        DWORD_PTR copied = 0;
        SendMessageTimeoutW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(wide.data()),
                            SMTO_NORMAL, SendTimeoutMs, &copied);
        char ansi[512] = {};
        int bytes = WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(copied), ansi,
                                        sizeof ansi, nullptr, nullptr);
        if (i != 0) items += ',';
        items += Hex(std::string_view(ansi, static_cast<size_t>(bytes)));
    }
    Emit("combo id=%s count=%ld selected=%ld items=%s", args[0].c_str(), static_cast<long>(count),
         static_cast<long>(selected), items.c_str());
    return true;
}

bool Select(Session& s, Args args) {
    HWND combo;
    if (!Control(s, "select", args[0], combo)) return false;
    const int id = static_cast<int>(Number(args[0]));
    LRESULT ignored;
    // A pick by the user selects the item and then tells the parent, as CBN_SELCHANGE.
    if (!Send(combo, CB_SETCURSEL, static_cast<WPARAM>(Number(args[1])), 0, ignored) ||
        !Send(s.window, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo),
              ignored))
        return Fail("select", "no-answer");
    Emit("select id=%d index=%s", id, args[1].c_str());
    return true;
}

bool Key(Session& s, Args args) {
    if (!NeedWindow(s, "key")) return false;
    SetForegroundWindow(s.window);
    // The keys go down in the order given and come up in reverse: "key 0x12 0x73" is Alt+F4.
    std::vector<INPUT> inputs;
    for (const std::string& key : args) {
        INPUT down{};
        down.type = INPUT_KEYBOARD;
        down.ki.wVk = static_cast<WORD>(Number(key));
        inputs.push_back(down);
    }
    for (size_t i = args.size(); i-- > 0;) {
        INPUT up = inputs[i];
        up.ki.dwFlags = KEYEVENTF_KEYUP;
        inputs.push_back(up);
    }
    UINT sent = SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    if (sent != inputs.size()) return Fail("key", "send-input sent=%u", sent);
    Emit("key sent=%u", sent);
    return true;
}

bool Post(Session& s, Args args) {
    if (!NeedWindow(s, "post")) return false;
    BOOL posted =
        PostMessageA(s.window, static_cast<UINT>(Number(args[0])),
                     static_cast<WPARAM>(Number(args[1])), static_cast<LPARAM>(Number(args[2])));
    if (!posted) return Fail("post", "code=%lu", GetLastError());
    Emit("post ok=1");
    return true;
}

bool SendCommand(Session& s, Args args) {
    if (!NeedWindow(s, "send")) return false;
    LRESULT result = 0;
    if (!Send(s.window, static_cast<UINT>(Number(args[0])), static_cast<WPARAM>(Number(args[1])),
              static_cast<LPARAM>(Number(args[2])), result))
        return Fail("send", "no-answer");
    Emit("send result=%ld", static_cast<long>(result));
    return true;
}

bool Show(Session& s, Args args) {
    if (!NeedWindow(s, "show")) return false;
    ShowWindow(s.window, static_cast<int>(Number(args[0])));
    Emit("show ok=1");
    return true;
}

bool SleepCommand(Session&, Args args) {
    Sleep(static_cast<DWORD>(Number(args[0])));
    Emit("sleep ok=1");
    return true;
}

bool WaitText(Session& s, Args args) {
    HWND control;
    if (!Control(s, "wait-text", args[0], control)) return false;
    std::string wanted;
    if (!Unhex(args[1], wanted)) return Fail("wait-text", "bad-hex");
    std::string text;
    const double start = NowMs();
    if (!PollUntil(Number(args[2]), [&] { return ReadText(control, text) && text == wanted; }))
        return Fail("wait-text", "timeout text=%s", Hex(text).c_str());
    Emit("wait-text id=%s ms=%.0f", args[0].c_str(), NowMs() - start);
    return true;
}

// Records the control's text now and at every change for the given time, each line with the
// milliseconds since the watch began; ends early when the control is gone with its program.
bool WatchText(Session& s, Args args) {
    HWND control;
    if (!Control(s, "watch-text", args[0], control)) return false;
    const double start = NowMs();
    std::string last, text;
    bool first = true;
    const bool gone = PollUntil(Number(args[1]), [&] {
        if (ReadText(control, text) && (first || text != last)) {
            Emit("change id=%s at=%.0f text=%s", args[0].c_str(), NowMs() - start,
                 Hex(text).c_str());
            last = text;
            first = false;
        }
        return !IsWindow(control);
    });
    Emit("watch-text id=%s ms=%.0f gone=%d", args[0].c_str(), NowMs() - start, gone);
    return true;
}

bool Pixel(Session&, Args args) {
    HDC screen = GetDC(nullptr);
    const COLORREF colour =
        GetPixel(screen, static_cast<int>(Number(args[0])), static_cast<int>(Number(args[1])));
    ReleaseDC(nullptr, screen);
    Emit("pixel x=%s y=%s rgb=%02x%02x%02x", args[0].c_str(), args[1].c_str(), GetRValue(colour),
         GetGValue(colour), GetBValue(colour));
    return true;
}

bool HitTest(Session& s, Args args) {
    if (!NeedWindow(s, "hittest")) return false;
    LRESULT code = 0;
    if (!Send(s.window, WM_NCHITTEST, 0,
              MAKELPARAM(static_cast<short>(Number(args[0])), static_cast<short>(Number(args[1]))),
              code))
        return Fail("hittest", "no-answer");
    Emit("hittest x=%s y=%s code=%ld", args[0].c_str(), args[1].c_str(), static_cast<long>(code));
    return true;
}

bool IsVisible(Session& s, Args) {
    if (!NeedWindow(s, "is-visible")) return false;
    Emit("is-visible value=%d", IsWindowVisible(s.window) != 0);
    return true;
}

bool IsIconicCommand(Session& s, Args) {
    if (!NeedWindow(s, "is-iconic")) return false;
    Emit("is-iconic value=%d", IsIconic(s.window) != 0);
    return true;
}

// Waits until the main window's visibility and minimised state are the ones given.
bool WaitState(Session& s, Args args) {
    if (!NeedWindow(s, "wait-state")) return false;
    const bool visible = Number(args[0]) != 0, iconic = Number(args[1]) != 0;
    const double start = NowMs();
    if (!PollUntil(Number(args[2]), [&] {
            return (IsWindowVisible(s.window) != 0) == visible &&
                   (IsIconic(s.window) != 0) == iconic;
        }))
        return Fail("wait-state", "timeout visible=%d iconic=%d", IsWindowVisible(s.window) != 0,
                    IsIconic(s.window) != 0);
    Emit("wait-state visible=%d iconic=%d ms=%.0f", visible, iconic, NowMs() - start);
    return true;
}

bool Foreground(Session& s, Args) {
    HWND foreground = GetForegroundWindow();
    Emit("foreground hwnd=0x%lx pid=%lu main=%d", reinterpret_cast<unsigned long>(foreground),
         WindowPid(foreground), foreground != nullptr && foreground == s.window);
    return true;
}

// The taskbar's button for the window, which Wine's taskbar gives the window's handle as its
// id; null while it shows none.
HWND TaskbarButton(HWND window) {
    HWND taskbar = FindWindowA("Shell_TrayWnd", nullptr);
    HWND button = taskbar ? GetDlgItem(taskbar, static_cast<int>(reinterpret_cast<INT_PTR>(window)))
                          : nullptr;
    return button && IsWindowVisible(button) ? button : nullptr;
}

// Waits until the taskbar shows a button for the main window, or none, and prints the button's
// middle. Wine's taskbar looks again at which windows are visible only when a top-level window
// comes or goes or the foreground changes, so a hidden window of the driver's comes and goes
// first.
bool WaitTaskbarButton(Session& s, Args args) {
    if (!NeedWindow(s, "wait-taskbar-button")) return false;
    DestroyWindow(
        CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr));
    const bool wanted = Number(args[0]) != 0;
    HWND button = nullptr;
    if (!PollUntil(Number(args[1]),
                   [&] { return ((button = TaskbarButton(s.window)) != nullptr) == wanted; }))
        return Fail("wait-taskbar-button", "timeout present=%d", button != nullptr);
    RECT r{};
    if (button) GetWindowRect(button, &r);
    Emit("wait-taskbar-button present=%d x=%ld y=%ld", wanted, (r.left + r.right) / 2,
         (r.top + r.bottom) / 2);
    return true;
}

// Takes the window's notification-area icon away on its behalf, as a shell that loses its
// icons when it is rebuilt.
bool NotifyDelete(Session& s, Args args) {
    if (!NeedWindow(s, "notify-delete")) return false;
    NOTIFYICONDATAA data{};
    data.cbSize = NOTIFYICONDATAA_V1_SIZE;
    data.hWnd = s.window;
    data.uID = static_cast<UINT>(Number(args[0]));
    const bool deleted = Shell_NotifyIconA(NIM_DELETE, &data) != 0;
    Emit("notify-delete uid=%s ok=%d", args[0].c_str(), deleted);
    return true;
}

// Tells every top-level window the registered message of that name, as the shell does with
// "TaskbarCreated" once it has rebuilt the taskbar.
bool Broadcast(Session&, Args args) {
    const UINT message = RegisterWindowMessageA(args[0].c_str());
    if (!message || !SendNotifyMessageA(HWND_BROADCAST, message, 0, 0))
        return Fail("broadcast", "code=%lu", GetLastError());
    Emit("broadcast message=0x%x", message);
    return true;
}

// Sets a variable in the environment that the processes started later inherit.
bool SetEnv(Session&, Args args) {
    if (!SetEnvironmentVariableA(args[0].c_str(), args[1].c_str()))
        return Fail("setenv", "code=%lu", GetLastError());
    Emit("setenv name=%s", args[0].c_str());
    return true;
}

bool WaitExit(Session& s, Args args) {
    if (!s.process) return Fail("wait-exit", "no-process");
    if (WaitForSingleObject(s.process, static_cast<DWORD>(Number(args[0]))) != WAIT_OBJECT_0)
        return Fail("wait-exit", "timeout");
    DWORD code = 0;
    GetExitCodeProcess(s.process, &code);
    Emit("exit code=%lu", code);
    return true;
}

struct Command {
    const char* name;
    size_t minArgs;
    size_t maxArgs;
    bool (*run)(Session&, Args);
};

constexpr size_t Many = 64;

constexpr Command Commands[] = {
    {"cwd", 1, 1, Cwd},                       // cwd <dir>: current directory for launch and run
    {"launch", 1, Many, Launch},              // launch <exe> [args]: start, keep its pid
    {"run", 1, Many, Run},                    // run <exe> [args]: start and wait for it
    {"setenv", 2, 2, SetEnv},                 // setenv <name> <value>: for processes started later
    {"attach", 1, 1, Attach},                 // attach <pid>
    {"wait-window", 1, 1, WaitWindowExists},  // wait-window <ms>: main window exists
    {"wait-visible", 1, 1, WaitVisible},      // wait-visible <ms>: main window visible
    {"find-window", 2, 3, FindWindowCommand}, // find-window <class|-> <hex caption|-> [ms]
    {"message-box", 1, 1, MessageBoxCommand}, // message-box <ms>: wait for the process's box
    {"rect", 0, 0, Rect},
    {"client-rect", 0, 0, ClientRect},
    {"style", 0, 0, Style},
    {"exstyle", 0, 0, ExStyle},
    {"menu", 0, 0, Menu},
    {"caption", 0, 0, Caption},
    {"children", 0, 0, Children},
    {"click", 1, 1, Click},              // click <id>: BM_CLICK
    {"check", 1, 1, Check},              // check <id>: BM_GETCHECK
    {"enabled", 1, 1, Enabled},          // enabled <id>
    {"wait-check", 3, 3, WaitCheck},     // wait-check <id> <0|1> <ms>
    {"wait-enabled", 3, 3, WaitEnabled}, // wait-enabled <id> <0|1> <ms>
    {"text", 1, 1, TextCommand},         // text <id>: WM_GETTEXT
    {"combo", 1, 1, Combo},              // combo <id>: count, selection, items
    {"select", 2, 2, Select},            // select <id> <index>: as a pick by the user
    {"key", 1, 8, Key},                  // key <vk>...: real key strokes to the window
    {"post", 3, 3, Post},                // post <msg> <wparam> <lparam>
    {"send", 3, 3, SendCommand},         // send <msg> <wparam> <lparam>
    {"show", 1, 1, Show},                // show <SW_ value>
    {"sleep", 1, 1, SleepCommand},
    {"wait-text", 3, 3, WaitText},   // wait-text <id> <hex> <ms>
    {"watch-text", 2, 2, WatchText}, // watch-text <id> <ms>
    {"pixel", 2, 2, Pixel},          // pixel <x> <y>: screen colour
    {"hittest", 2, 2, HitTest},      // hittest <x> <y>: WM_NCHITTEST at a screen point
    {"is-visible", 0, 0, IsVisible},
    {"is-iconic", 0, 0, IsIconicCommand},
    {"wait-state", 3, 3, WaitState}, // wait-state <visible 0|1> <iconic 0|1> <ms>
    {"foreground", 0, 0, Foreground},
    {"wait-taskbar-button", 2, 2, WaitTaskbarButton}, // wait-taskbar-button <0|1> <ms>
    {"notify-delete", 1, 1, NotifyDelete},            // notify-delete <uid>: the window's tray icon
    {"broadcast", 1, 1, Broadcast}, // broadcast <name>: a registered message to all
    {"wait-exit", 1, 1, WaitExit},  // wait-exit <ms>: exit code, unsigned
};

const Command* Find(const std::string& name) {
    for (const Command& command : Commands)
        if (name == command.name) return &command;
    return nullptr;
}

} // namespace

int main(int argc, char** argv) {
    Session session;
    std::vector<std::string> words(argv + 1, argv + argc);
    size_t begin = 0;
    while (begin < words.size()) {
        size_t end = begin;
        while (end < words.size() && words[end] != ";")
            ++end;
        if (end > begin) {
            const Command* command = Find(words[begin]);
            const size_t count = end - begin - 1;
            if (!command || count < command->minArgs || count > command->maxArgs) {
                Fail(words[begin].c_str(), "usage");
                return 2;
            }
            if (!command->run(session, Args(words).subspan(begin + 1, count))) return 1;
        }
        begin = end + 1;
    }
    return 0;
}
