#include "app/framework/Form.h"

#include <algorithm>
#include <string>

#include "app/framework/CommandRouting.h"
#include "app/framework/Events.h"
#include "app/framework/MessageLoop.h"
#include "app/framework/SelfDrawnControls.h"
#include "app/framework/WindowIcons.h"

namespace {

Form* loadedForm = nullptr;

HINSTANCE Instance() { return GetModuleHandleA(nullptr); }

// Centred on the whole primary display, not its work area.
POINT CentredPosition(int width, int height) {
    return {(GetSystemMetrics(SM_CXSCREEN) - width) / 2, (GetSystemMetrics(SM_CYSCREEN) - height) / 2};
}

HFONT DefaultGuiFont() { return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)); }

UniqueFont CreateLayoutFont(const FontDef& font) {
    LOGFONTA logFont = {};
    logFont.lfHeight = -font.height; // negative: the character height
    logFont.lfWeight = font.weight;
    logFont.lfUnderline = font.underline;
    logFont.lfCharSet = DEFAULT_CHARSET;
    logFont.lfQuality = PROOF_QUALITY;
    lstrcpynA(logFont.lfFaceName, font.face, LF_FACESIZE);
    return UniqueFont(CreateFontIndirectA(&logFont));
}

struct StandardClass {
    const char* name;
    DWORD style;
};

StandardClass StandardClassOf(ControlKind kind) {
    switch (kind) {
    case ControlKind::PushButton:
        return {"BUTTON", BS_PUSHBUTTON | BS_CENTER | BS_VCENTER | BS_MULTILINE};
    case ControlKind::RadioButton:
        return {"BUTTON", BS_AUTORADIOBUTTON | BS_LEFT | BS_VCENTER};
    case ControlKind::DropDownList: return {"COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL};
    default: return {nullptr, 0};
    }
}

void FillNumberItems(HWND list, int last) {
    for (int number = 0; number <= last; ++number) {
        std::string item = std::to_string(number);
        SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
    }
    LRESULT itemHeight = SendMessageA(list, CB_GETITEMHEIGHT, 0, 0);
    SendMessageA(list, CB_SETITEMHEIGHT, 0, itemHeight + 1);
    SendMessageA(list, CB_SETCURSEL, 0, 0);
}

int Clamp(int value, int low, int high) { return std::min(std::max(value, low), high); }

} // namespace

Form* Form::Loaded() { return loadedForm; }

Form::~Form() {
    if (window_) DestroyWindow(window_);
}

bool Form::Load(const WindowDef& def) {
    def_ = &def;
    SuspendEvents();
    bool created = CreateMainWindow();
    if (created) {
        controls_.reserve(def.controls.size());
        for (const ControlDef& control : def.controls) {
            controls_.emplace_back();
            controls_.back().def = &control;
            controls_.back().form = this;
            if (!CreateControl(controls_.back())) {
                created = false;
                break;
            }
        }
    }
    if (created) {
        // Stack the controls in creation order, the first on top.
        for (const ControlState& control : controls_) {
            if (control.window)
                SetWindowPos(control.window, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        }
        for (const ControlState& control : controls_) {
            if (control.window) ShowWindow(control.window, SW_SHOWNA);
        }
    }
    ResumeEvents();
    return created;
}

bool Form::CreateMainWindow() {
    static bool registered = false;
    if (!registered) {
        WNDCLASSA windowClass = {};
        windowClass.style = CS_DBLCLKS;
        windowClass.lpfnWndProc = WindowProc;
        windowClass.hInstance = Instance();
        windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        windowClass.lpszClassName = def_->className;
        registered = RegisterClassA(&windowClass) && RegisterSelfDrawnClasses(Instance());
        if (!registered) return false;
    }
    POINT place = CentredPosition(def_->width, def_->height);
    CreateWindowExA(0, def_->className, def_->caption, def_->style, place.x, place.y, def_->width,
                    def_->height, nullptr, nullptr, Instance(), this);
    if (!window_) return false;
    RECT outer;
    GetWindowRect(window_, &outer);
    if (outer.right - outer.left != def_->width || outer.bottom - outer.top != def_->height)
        SetWindowPos(window_, nullptr, 0, 0, def_->width, def_->height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    ByteBlockView iconFile(def_->iconFile);
    largeIcon_ = MakeWindowIcon(iconFile, IconSize::Large);
    smallIcon_ = MakeWindowIcon(iconFile, IconSize::Small);
    SendMessageA(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(largeIcon_.Get()));
    SendMessageA(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_.Get()));
    SendMessageA(window_, WM_SETFONT, reinterpret_cast<WPARAM>(DefaultGuiFont()), FALSE);
    taskbarCreatedMessage_ = RegisterWindowMessageA("TaskbarCreated");
    loadedForm = this;
    return true;
}

bool Form::CreateControl(ControlState& control) {
    const ControlDef& def = *control.def;
    if (def.kind == ControlKind::Timer) return true;
    if (def.font.face) {
        fonts_.push_back(CreateLayoutFont(def.font));
        control.font = fonts_.back().Get();
    }
    if (!control.font) control.font = DefaultGuiFont();
    if (def.kind == ControlKind::HyperlinkBox) control.address = Text::Copy(def.address ? def.address : "");

    const char* selfDrawn = SelfDrawnClassName(def.kind);
    StandardClass standard = StandardClassOf(def.kind);
    // Siblings clip each other, so the stacking order decides what shows where they overlap.
    DWORD style = WS_CHILD | WS_CLIPSIBLINGS | standard.style | (def.focusStop ? WS_TABSTOP : 0);
    control.window = CreateWindowExA(SelfDrawnExStyle(def.kind), selfDrawn ? selfDrawn : standard.name, def.text, style, def.x, def.y,
                                     def.width, def.height, window_,
                                     reinterpret_cast<HMENU>(static_cast<INT_PTR>(def.id)), Instance(),
                                     selfDrawn ? &control : nullptr);
    if (!control.window) return false;
    SendMessageA(control.window, WM_SETFONT, reinterpret_cast<WPARAM>(control.font), FALSE);
    if (def.kind == ControlKind::DropDownList) FillNumberItems(control.window, def.items.last);
    if (def.checked) SendMessageA(control.window, BM_SETCHECK, BST_CHECKED, 0);
    return true;
}

void Form::Raise(EventSource source, Event event, int argument) {
    if (EventsSuspended()) return;
    for (const EventBinding& binding : def_->bindings) {
        if (binding.source == source && binding.event == event) {
            binding.handler(argument);
            return;
        }
    }
}

LRESULT CALLBACK Form::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* form = static_cast<Form*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        form->window_ = window;
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
    }
    auto* form = reinterpret_cast<Form*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!form) return DefWindowProcA(window, message, wParam, lParam);
    return form->OnMessage(message, wParam, lParam);
}

LRESULT Form::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    HWND window = window_;
    switch (message) {
    case WM_MOVE: {
        LRESULT result = DefWindowProcA(window, message, wParam, lParam);
        Raise(TheWindow, Event::Moved);
        return result;
    }
    case WM_COMMAND: OnCommand(wParam, lParam); return 0;
    case WM_TIMER: Raise(FromControl(static_cast<ControlId>(wParam)), Event::Tick); return 0;
    case WM_CLOSE: DestroyWindow(window); return 0; // nothing holds up a close
    case WM_QUERYENDSESSION: return TRUE;           // nor a log-off or shut-down
    case WM_DESTROY: Raise(TheWindow, Event::Destroying); return 0;
    case WM_NCDESTROY:
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        window_ = nullptr;
        loadedForm = nullptr;
        if (MessageLoopEntered()) PostQuitMessage(0);
        return DefWindowProcA(window, message, wParam, lParam);
    }
    if (message == DestroyRequestMessage) {
        if (destroyPending_) {
            destroyPending_ = false;
            DestroyWindow(window);
        }
        return 0;
    }
    if (message == def_->trayCallbackMessage) {
        if (int code = def_->trayEventCode(static_cast<long>(lParam))) Raise(TheWindow, Event::TrayEvent, code);
        return 0;
    }
    if (message == taskbarCreatedMessage_ && message != 0) {
        Raise(TheWindow, Event::ShellRestarted);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

void Form::OnCommand(WPARAM wParam, LPARAM lParam) {
    int id = LOWORD(wParam);
    CommandRoute route = RouteCommand(id, static_cast<int>(def_->menu.size()));
    if (route.kind == CommandRoute::Kind::MenuItem) {
        Raise(FromMenuItem(route.menuPosition), Event::Selected);
    } else if (route.kind == CommandRoute::Kind::Control && lParam != 0 && HIWORD(wParam) == BN_CLICKED) {
        const ControlState* control = Find(static_cast<ControlId>(id));
        if (control && control->def->kind == ControlKind::PushButton)
            Raise(FromControl(control->def->id), Event::Clicked);
    }
}

bool Form::PreTranslate(const MSG& message) {
    if (!window_ || message.message != WM_KEYDOWN) return false;
    if (message.hwnd != window_ && !IsChild(window_, message.hwnd)) return false;
    switch (message.wParam) {
    case VK_ESCAPE: SendMessageA(window_, WM_CLOSE, 0, 0); return true;
    case VK_TAB: MoveFocus(def_->focusOrder, GetKeyState(VK_SHIFT) < 0 ? -1 : 1, true); return true;
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN: {
        const auto& group = def_->arrowGroup;
        auto focused = std::find_if(group.begin(), group.end(),
                                    [&](ControlId id) { return ControlWindow(id) == GetFocus(); });
        if (focused == group.end()) return false; // the control handles its own arrows
        MoveFocus(group, (message.wParam == VK_LEFT || message.wParam == VK_UP) ? -1 : 1, true);
        return true;
    }
    }
    return false;
}

// Moves the focus to the next control of the order, after the focused one, that is
// visible and enabled.
void Form::MoveFocus(std::span<const ControlId> order, int step, bool wrap) {
    const int count = static_cast<int>(order.size());
    if (count == 0) return;
    HWND focus = GetFocus();
    int current = -1;
    for (int i = 0; i < count; ++i) {
        if (ControlWindow(order[i]) == focus) current = i;
    }
    if (current < 0) current = step > 0 ? -1 : count;
    for (int tried = 0; tried < count; ++tried) {
        current += step;
        if (current < 0 || current >= count) {
            if (!wrap) return;
            current = (current + count) % count;
        }
        HWND candidate = ControlWindow(order[current]);
        if (candidate && IsWindowVisible(candidate) && IsWindowEnabled(candidate)) {
            SetFocus(candidate);
            return;
        }
    }
}

Form::ControlState* Form::Find(ControlId id) {
    for (ControlState& control : controls_) {
        if (control.def->id == id) return &control;
    }
    return nullptr;
}

const Form::ControlState* Form::Find(ControlId id) const { return const_cast<Form*>(this)->Find(id); }

HWND Form::ControlWindow(ControlId id) const {
    const ControlState* control = Find(id);
    return control ? control->window : nullptr;
}

int Form::ReadWindowState() const {
    if (IsIconic(window_)) return 2;
    return IsZoomed(window_) ? 3 : 0;
}

void Form::WriteWindowState(int state) {
    storedWindowState_ = Clamp(state, 0, 3);
    if (!IsWindowVisible(window_)) return;
    switch (storedWindowState_) {
    case 0: ShowWindow(window_, SW_SHOWNORMAL); break;
    case 1: {
        if (IsIconic(window_) || IsZoomed(window_)) ShowWindow(window_, SW_RESTORE);
        RECT outer;
        GetWindowRect(window_, &outer);
        POINT place = CentredPosition(outer.right - outer.left, outer.bottom - outer.top);
        SetWindowPos(window_, nullptr, place.x, place.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        break;
    }
    case 2: ShowWindow(window_, SW_MINIMIZE); break;
    case 3:
        // Without a sizing border, maximising means covering the whole primary screen.
        if (IsIconic(window_) || IsZoomed(window_)) ShowWindow(window_, SW_RESTORE);
        MoveWindow(window_, 0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), TRUE);
        ShowWindow(window_, SW_SHOW);
        break;
    }
}

int Form::ReadInterval(ControlId timer) const {
    const ControlState* control = Find(timer);
    return control ? control->interval : 0;
}

void Form::WriteInterval(ControlId timer, int milliseconds) {
    ControlState* control = Find(timer);
    int interval = std::max(milliseconds, 0);
    if (!control || control->interval == interval) return; // a running period is not restarted
    UINT_PTR id = static_cast<UINT_PTR>(timer);
    KillTimer(window_, id);
    control->interval = interval;
    if (interval > 0) SetTimer(window_, id, static_cast<UINT>(interval), nullptr);
}

Text Form::ReadAddress(ControlId link) const {
    const ControlState* control = Find(link);
    return Text::Copy(control ? control->address.view() : std::string_view());
}

void Form::WriteAddress(ControlId link, std::string_view address) {
    if (ControlState* control = Find(link)) control->address = Text::Copy(address);
}

int Form::Navigate(ControlId link) {
    const ControlState* control = Find(link);
    if (!control || !def_->openHyperlink) return 0;
    const ControlDef& box = *control->def;
    return def_->openHyperlink({box.mailLink, control->address.c_str(), box.mailAddress ? box.mailAddress : ""},
                               SW_SHOW);
}

void Form::RequestDestroy(bool now) {
    if (!window_) return;
    destroyPending_ = true;
    if (now) {
        destroyPending_ = false;
        DestroyWindow(window_);
    } else {
        PostMessageA(window_, DestroyRequestMessage, 0, 0);
    }
}
