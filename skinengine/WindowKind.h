#pragma once
// Which windows the engine dresses, decided from a window's class name, its style and its
// parent's class alone. Everything else, the program's own window classes above all, keeps
// the look its owner gives it.
#include <cstdint>

namespace skin {

enum class WindowKind {
    None,         // left alone
    Frame,        // a top-level window with a caption bar: frame, caption, client background
    PushButton,   // push and default push buttons
    CheckBox,     // check boxes, two- and three-state
    RadioButton,  // radio buttons
    ComboBox,     // the closed box of a drop-down list
    List,         // the open list of a drop-down list, and list boxes
    DialogStatic, // text and icon labels inside dialogs (message boxes)
};

struct WindowTraits {
    const char* className = "";
    std::uint32_t style = 0;
    const char* parentClassName = ""; // empty for a top-level window
};

WindowKind ClassifyWindow(const WindowTraits& window);

} // namespace skin
