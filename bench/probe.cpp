// Benchmark probe: a console program run with wine beside the program it measures. Each run
// starts one process, measures it as its command says, closes its window and waits for its end.
// It prints one line per result, "<name> key=value ...", flushed at once; times are in
// milliseconds, sizes in bytes.
//
//   probe start <exe>     process creation -> a top-level window visible; memory; GDI objects
//   probe cpu <exe> <ms>  arms a one-hour countdown and watches the label for <ms>: "armed" and
//                         "watched" are printed at the edges of that time, so that whoever runs
//                         the probe can read the program's CPU time there (Wine answers
//                         GetProcessTimes for another process with the caller's own times)
//   probe objects <exe> <ticks> <pops> [trace]
//                         object counts after start, after <ticks> timer messages, after the
//                         first tray menu and after <pops> of them; "trace" starts the program
//                         with WINEDEBUG=+server, and each count leaves a mark in that trace
//
// Exit code 0 when every step worked, 1 after the first "error" line, 2 for a bad command line.
#include <windows.h>

#include <psapi.h> // after windows.h, which it needs
#include <winternl.h>

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "app/ControlIds.h"
#include "app/framework/Handles.h"
#include "tray/TrayRecord.h"

namespace {

constexpr DWORD StartTimeoutMs = 30000;
constexpr DWORD SettleMs = 1000;     // start-up work that follows the first show
constexpr DWORD MemorySampleMs = 10; // while sampling the private bytes after the show
constexpr DWORD MemorySamplingMs = 500;
constexpr DWORD LabelPollMs = 10; // label changes come a second apart
constexpr DWORD ExitTimeoutMs = 10000;
constexpr UINT SendTimeoutMs = 5000;
constexpr int TicksPerBatch = 100; // posted timer messages between two looks at the label

void Emit(const char* format, ...) {
    va_list args;
    va_start(args, format);
    std::vprintf(format, args);
    va_end(args);
    std::putchar('\n');
    std::fflush(stdout);
}

bool Fail(const char* format, ...) {
    std::printf("error ");
    va_list args;
    va_start(args, format);
    std::vprintf(format, args);
    va_end(args);
    std::putchar('\n');
    std::fflush(stdout);
    return false;
}

double NowMs() {
    static const LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return 1000.0 * static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

template <typename Ready> bool PollUntil(double timeoutMs, DWORD pollMs, Ready ready) {
    const double deadline = NowMs() + timeoutMs;
    for (;;) {
        if (ready()) return true;
        if (NowMs() >= deadline) return false;
        Sleep(pollMs);
    }
}

bool Send(HWND target, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR ignored = 0;
    return SendMessageTimeoutA(target, message, wParam, lParam, SMTO_NORMAL, SendTimeoutMs,
                               &ignored) != 0;
}

struct Process {
    UniqueKernelHandle handle;
    DWORD pid = 0;
    DWORD tid = 0;
    HWND window = nullptr; // its first visible top-level window
};

bool Launch(const char* exe, Process& process) {
    std::string line = std::string("\"") + exe + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &started))
        return Fail("create-process code=%lu", GetLastError());
    CloseHandle(started.hThread);
    process.handle.Reset(started.hProcess);
    process.pid = started.dwProcessId;
    process.tid = started.dwThreadId;
    return true;
}

BOOL CALLBACK KeepVisible(HWND window, LPARAM found) {
    if (!IsWindowVisible(window)) return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

// The top-level windows of a GUI program's first thread are its own; asking for them alone
// keeps each look cheap for the wineserver that the program shares.
bool WaitVisible(Process& process) {
    const bool shown = PollUntil(StartTimeoutMs, 1, [&] {
        EnumThreadWindows(process.tid, KeepVisible, reinterpret_cast<LPARAM>(&process.window));
        return process.window != nullptr;
    });
    return shown || Fail("no-visible-window pid=%lu", process.pid);
}

bool Close(Process& process) {
    PostMessageA(process.window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process.handle.Get(), ExitTimeoutMs) != WAIT_OBJECT_0) {
        TerminateProcess(process.handle.Get(), 1);
        return Fail("no-exit-after-close pid=%lu", process.pid);
    }
    DWORD code = 0;
    GetExitCodeProcess(process.handle.Get(), &code);
    Emit("exit code=%lu", code);
    return true;
}

PROCESS_MEMORY_COUNTERS_EX Memory(const Process& process) {
    PROCESS_MEMORY_COUNTERS_EX counters{};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(process.handle.Get(),
                         reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof counters);
    return counters;
}

HWND Control(const Process& process, ControlId id) {
    return GetDlgItem(process.window, static_cast<int>(id));
}

// A pick in a drop-down list as the user makes it: the selection, then the parent is told.
bool Select(const Process& process, ControlId list, int index) {
    HWND combo = Control(process, list);
    const int id = static_cast<int>(list);
    return (combo && Send(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0) &&
            Send(process.window, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(combo))) ||
           Fail("select id=%d", id);
}

bool Click(const Process& process, ControlId button) {
    HWND control = Control(process, button);
    return (control && Send(control, BM_CLICK, 0, 0)) ||
           Fail("click id=%d", static_cast<int>(button));
}

// The window text as the window system keeps it. For a window of another process Wine reads it
// from the wineserver, not through WM_GETTEXT: reading it every 10 ms adds nothing measurable to
// the program's CPU time.
std::string StoredText(HWND window) {
    char text[256] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

// The label's text through the program itself.
std::string AnsweredText(HWND window) {
    char text[256] = {};
    DWORD_PTR copied = 0;
    SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text),
                        SMTO_NORMAL, SendTimeoutMs, &copied);
    return text;
}

// The remaining time that the label shows, in seconds: its three numbers are hours, minutes and
// seconds. The CP936 bytes around them hold neither digits nor minus signs.
bool LabelSeconds(const std::string& text, long& seconds) {
    long parts[3];
    int found = 0;
    for (const char* p = text.c_str(); *p && found < 3;) {
        char* end = nullptr;
        const bool number = (*p >= '0' && *p <= '9') || (*p == '-' && p[1] >= '0' && p[1] <= '9');
        if (!number) {
            ++p;
            continue;
        }
        parts[found++] = std::strtol(p, &end, 10);
        p = end;
    }
    if (found != 3) return false;
    seconds = (parts[0] * 60 + parts[1]) * 60 + parts[2];
    return true;
}

bool Cpu(const char* exe, DWORD watchMs) {
    Process process;
    if (!Launch(exe, process) || !WaitVisible(process)) return false;
    Emit("program pid=%lu tid=%lu", process.pid, process.tid);
    Sleep(SettleMs);
    HWND label = Control(process, ControlId::标签1);
    if (!label) return Fail("no-label");
    if (!Select(process, ControlId::组合框_小时, 1) ||
        !Select(process, ControlId::组合框_分钟, 0) || !Select(process, ControlId::组合框_秒, 0) ||
        !Click(process, ControlId::按钮_确定))
        return false;
    const double armed = NowMs();
    std::string last = StoredText(label);
    Emit("armed label-bytes=%zu", last.size());
    bool unreadable = false;
    PollUntil(watchMs, LabelPollMs, [&] {
        std::string text = StoredText(label);
        if (text == last) return false;
        long seconds = 0;
        unreadable = !LabelSeconds(text, seconds);
        if (!unreadable) Emit("change at-ms=%.0f seconds=%ld", NowMs() - armed, seconds);
        last = text;
        return unreadable;
    });
    Emit("watched ms=%.0f", NowMs() - armed);
    if (unreadable) return Fail("label-unreadable");
    Emit("label-check same=%d", AnsweredText(label) == StoredText(label));
    return Click(process, ControlId::按钮_取消) && Close(process);
}

// GDI objects: Wine keeps each process's GDI handle table in its own memory, where the PEB
// points (GdiSharedHandleTable, as on Windows). A live entry has a non-zero type; stock objects
// carry the stock flag and are not the process's own.
struct GdiHandleEntry {
    ULONGLONG object;
    ULONG owner;
    BYTE extType; // bit 7: stock object
    BYTE generation;
    BYTE type; // 0: free
    BYTE flags;
    ULONGLONG userPointer;
};
static_assert(sizeof(GdiHandleEntry) == 24);
constexpr size_t GdiHandleCount = 0x10000;
constexpr size_t PebGdiSharedHandleTable = 0x94; // 32-bit PEB
constexpr size_t GdiEntriesPerRead = 2048;

// Own objects by kind, as "kind:count,..." with the kind as Wine's handle type in hex.
bool CountGdiObjects(const Process& process, long& own, long& stock, std::string& kinds) {
    PROCESS_BASIC_INFORMATION basic{};
    if (NtQueryInformationProcess(process.handle.Get(), ProcessBasicInformation, &basic,
                                  sizeof basic, nullptr) != 0)
        return Fail("process-basic-information");
    DWORD table = 0;
    if (!ReadProcessMemory(process.handle.Get(),
                           static_cast<const BYTE*>(static_cast<void*>(basic.PebBaseAddress)) +
                               PebGdiSharedHandleTable,
                           &table, sizeof table, nullptr) ||
        table == 0)
        return Fail("no-gdi-handle-table");
    own = stock = 0;
    long byKind[0x80] = {};
    std::vector<GdiHandleEntry> entries(GdiEntriesPerRead);
    for (size_t first = 0; first < GdiHandleCount; first += GdiEntriesPerRead) {
        const auto address = reinterpret_cast<const void*>(
            static_cast<ULONG_PTR>(table + first * sizeof(GdiHandleEntry)));
        if (!ReadProcessMemory(process.handle.Get(), address, entries.data(),
                               entries.size() * sizeof(GdiHandleEntry), nullptr))
            return Fail("gdi-handle-table-read at=%zu", first);
        for (const GdiHandleEntry& entry : entries) {
            if (entry.type == 0) continue;
            if (entry.extType & 0x80) {
                ++stock;
                continue;
            }
            ++own;
            ++byKind[entry.extType & 0x7f];
        }
    }
    kinds.clear();
    for (int kind = 0; kind < 0x80; ++kind) {
        if (byKind[kind] == 0) continue;
        char part[24];
        std::snprintf(part, sizeof part, "%s%02x:%ld", kinds.empty() ? "" : ",", kind,
                      byKind[kind]);
        kinds += part;
    }
    return true;
}

struct WindowCount {
    DWORD pid;
    long count;
};

BOOL CALLBACK CountIfOwned(HWND window, LPARAM context) {
    auto* windows = reinterpret_cast<WindowCount*>(context);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid == windows->pid) ++windows->count;
    return TRUE;
}

BOOL CALLBACK CountTree(HWND window, LPARAM context) {
    CountIfOwned(window, context);
    EnumChildWindows(window, CountIfOwned, context);
    return TRUE;
}

// The process's windows, top-level, child and message-only: the USER objects that another
// process can see.
long CountWindows(const Process& process) {
    WindowCount windows{process.pid, 0};
    EnumWindows(CountTree, reinterpret_cast<LPARAM>(&windows));
    for (HWND w = nullptr; (w = FindWindowExA(HWND_MESSAGE, w, nullptr, nullptr));)
        CountTree(w, reinterpret_cast<LPARAM>(&windows));
    return windows.count;
}

// Counts now and leaves a mark in the wineserver's request trace ("find_atom" with this name),
// so that the trace can be cut where the counts were taken.
bool CountObjects(const Process& process, const char* moment) {
    if (!Send(process.window, WM_NULL, 0, 0)) return Fail("no-answer at=%s", moment);
    long gdi = 0, stock = 0;
    std::string kinds;
    if (!CountGdiObjects(process, gdi, stock, kinds)) return false;
    const std::string mark = std::string("quorvel-bench-mark ") + moment;
    GlobalFindAtomA(mark.c_str());
    Emit("objects at=%s gdi=%ld gdi-stock=%ld gdi-kinds=%s windows=%ld gui-gdi=%lu gui-user=%lu",
         moment, gdi, stock, kinds.c_str(), CountWindows(process),
         static_cast<unsigned long>(GetGuiResources(process.handle.Get(), GR_GDIOBJECTS)),
         static_cast<unsigned long>(GetGuiResources(process.handle.Get(), GR_USEROBJECTS)));
    return true;
}

bool Start(const char* exe) {
    // The probe's own window-system set-up (display driver, theme) is done before the clock
    // starts, not beside the program's start-up.
    HWND none = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), KeepVisible, reinterpret_cast<LPARAM>(&none));
    IsWindowVisible(GetDesktopWindow());
    Process process;
    const double begin = NowMs();
    if (!Launch(exe, process) || !WaitVisible(process)) return false;
    Emit("start pid=%lu visible-ms=%.1f", process.pid, NowMs() - begin);

    // Wine fills PrivateUsage with 0 and keeps no peak of the pagefile bytes (its private
    // bytes: resident anonymous memory and swap); they are sampled for a while after the show.
    SIZE_T peakPagefile = 0;
    PollUntil(MemorySamplingMs, MemorySampleMs, [&] {
        peakPagefile = std::max(peakPagefile, Memory(process).PagefileUsage);
        return false;
    });
    const PROCESS_MEMORY_COUNTERS_EX m = Memory(process);
    Emit("memory peak-working-set=%lu working-set=%lu private=%lu pagefile=%lu "
         "peak-pagefile-sampled=%lu",
         static_cast<unsigned long>(m.PeakWorkingSetSize),
         static_cast<unsigned long>(m.WorkingSetSize), static_cast<unsigned long>(m.PrivateUsage),
         static_cast<unsigned long>(m.PagefileUsage),
         static_cast<unsigned long>(std::max(peakPagefile, m.PagefileUsage)));
    return CountObjects(process, "start") && Close(process);
}

// Timer messages of 时钟1 as the window system posts them; each is a Tick. The program is
// idle, its count 0, so the Ticks take it below zero, where no power action follows.
bool PostTicks(const Process& process, int ticks) {
    HWND label = Control(process, ControlId::标签1);
    if (!label) return Fail("no-label");
    long before = 0;
    if (!LabelSeconds(StoredText(label), before)) before = 0;
    for (int posted = 0; posted < ticks;) {
        const int batch = std::min(TicksPerBatch, ticks - posted);
        for (int i = 0; i < batch; ++i)
            if (!PostMessageA(process.window, WM_TIMER, static_cast<WPARAM>(ControlId::时钟1), 0))
                return Fail("post-timer code=%lu", GetLastError());
        posted += batch;
        long shown = 0;
        if (!PollUntil(SendTimeoutMs, 1, [&] {
                return LabelSeconds(StoredText(label), shown) && shown == before - posted;
            }))
            return Fail("ticks posted=%d shown=%ld expected=%ld", posted, shown, before - posted);
    }
    Emit("ticks count=%d", ticks);
    return true;
}

struct MenuSearch {
    DWORD pid;
    HWND found;
};

BOOL CALLBACK FindProgramMenu(HWND window, LPARAM context) {
    auto* search = reinterpret_cast<MenuSearch*>(context);
    char name[16] = {};
    GetClassNameA(window, name, sizeof name);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid != search->pid || std::strcmp(name, "#32768") != 0 || !IsWindowVisible(window))
        return TRUE;
    search->found = window;
    return FALSE;
}

HWND VisibleMenu(const Process& process) {
    MenuSearch search{process.pid, nullptr};
    EnumThreadWindows(process.tid, FindProgramMenu, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// The tray icon's right-button release opens the popup menu; Esc closes it without a choice.
bool PopTrayMenus(const Process& process, int pops) {
    for (int i = 0; i < pops; ++i) {
        PostMessageA(process.window, TrayCallbackMessage, TrayIconId, WM_RBUTTONUP);
        HWND menu = nullptr;
        if (!PollUntil(SendTimeoutMs, 1, [&] { return (menu = VisibleMenu(process)) != nullptr; }))
            return Fail("no-menu pop=%d", i);
        PostMessageA(menu, WM_KEYDOWN, VK_ESCAPE, 0);
        if (!PollUntil(SendTimeoutMs, 1, [&] { return VisibleMenu(process) == nullptr; }))
            return Fail("menu-stays pop=%d", i);
    }
    Emit("menus count=%d", pops);
    return true;
}

bool Objects(const char* exe, int ticks, int pops, bool trace) {
    // Read by Wine when the process starts; the probe's own tracing was settled at its start.
    // The wineserver traces every process's requests from then on.
    if (trace) SetEnvironmentVariableA("WINEDEBUG", "-all,+server");
    Process process;
    const bool launched = Launch(exe, process);
    if (trace) SetEnvironmentVariableA("WINEDEBUG", "-all");
    if (!launched || !WaitVisible(process)) return false;
    Emit("program pid=%lu tid=%lu", process.pid, process.tid);
    Sleep(SettleMs);
    return CountObjects(process, "start") && PostTicks(process, ticks) &&
           CountObjects(process, "ticks") && PopTrayMenus(process, 1) &&
           CountObjects(process, "menu") && PopTrayMenus(process, pops - 1) &&
           CountObjects(process, "menus") && Close(process);
}

} // namespace

int main(int argc, char** argv) {
    const std::string command = argc > 1 ? argv[1] : "";
    bool done = false;
    if (command == "start" && argc == 3)
        done = Start(argv[2]);
    else if (command == "cpu" && argc == 4)
        done = Cpu(argv[2], static_cast<DWORD>(std::atol(argv[3])));
    else if (command == "objects" && (argc == 5 || argc == 6) && std::atoi(argv[4]) > 0)
        done = Objects(argv[2], std::atoi(argv[3]), std::atoi(argv[4]),
                       argc == 6 && std::strcmp(argv[5], "trace") == 0);
    else {
        Fail("usage");
        return 2;
    }
    return done ? 0 : 1;
}
