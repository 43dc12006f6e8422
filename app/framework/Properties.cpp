#include "app/framework/Properties.h"

#include "app/framework/Form.h"

// Every control a handler names exists from creation until the window is destroyed,
// and no handler runs outside that time: the loaded form is always there.
namespace {
Form& Window() { return *Form::Loaded(); }
HWND Control(ControlId id) { return Window().ControlWindow(id); }
} // namespace

int ReadVisible() { return IsWindowVisible(Window().Handle()) ? 1 : 0; }
void WriteVisible(int visible) { ShowWindow(Window().Handle(), visible ? SW_SHOW : SW_HIDE); }
int ReadWindowState() { return Window().ReadWindowState(); }
void WriteWindowState(int state) { Window().WriteWindowState(state); }
ByteBlock ReadIcon() { return ByteBlock::CopyOf(ByteBlockView(Window().Def().iconFile)); }

int ReadDisabled(ControlId button) { return IsWindowEnabled(Control(button)) ? 0 : 1; }
void WriteDisabled(ControlId button, int disabled) { EnableWindow(Control(button), disabled ? FALSE : TRUE); }
int ReadChecked(ControlId radio) {
    return SendMessageA(Control(radio), BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0;
}

Text ReadCaption(ControlId label) {
    HWND control = Control(label);
    Text caption = Text::Allocate(static_cast<std::size_t>(GetWindowTextLengthA(control)));
    GetWindowTextA(control, caption.data(), static_cast<int>(caption.size() + 1));
    return caption;
}

void WriteCaption(ControlId label, std::string_view caption) {
    Text copy = Text::Copy(caption);
    SetWindowTextA(Control(label), copy.c_str()); // the label repaints itself
}

Text ReadText(ControlId list) {
    HWND control = Control(list);
    LRESULT selected = SendMessageA(control, CB_GETCURSEL, 0, 0);
    if (selected == CB_ERR) return Text::Copy("");
    LRESULT length = SendMessageA(control, CB_GETLBTEXTLEN, selected, 0);
    if (length == CB_ERR) return Text::Copy("");
    Text item = Text::Allocate(static_cast<std::size_t>(length));
    SendMessageA(control, CB_GETLBTEXT, selected, reinterpret_cast<LPARAM>(item.data()));
    return item;
}

int ReadInterval(ControlId timer) { return Window().ReadInterval(timer); }
void WriteInterval(ControlId timer, int milliseconds) { Window().WriteInterval(timer, milliseconds); }
Text ReadAddress(ControlId link) { return Window().ReadAddress(link); }
void WriteAddress(ControlId link, std::string_view address) { Window().WriteAddress(link, address); }
int Navigate(ControlId link) { return Window().Navigate(link); }
HWND MainWindowHandle() { return Window().Handle(); }
MenuTree MainWindowMenu() { return Window().Def().menu; }
void RequestDestroy(bool now) { Window().RequestDestroy(now); }
