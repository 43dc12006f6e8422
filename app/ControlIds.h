#pragma once
// Identifiers of MainWindow's controls and menu commands. The end-to-end test driver
// includes this header too, so the program and its tests share one set of numbers.

enum class ControlId : int {
    超级链接框1 = 1001,
    按钮_确定 = 1002,
    按钮_退出 = 1003,
    按钮_取消 = 1004,
    单选框_注销 = 1005,
    单选框_重启 = 1006,
    单选框_关机 = 1007,
    组合框_秒 = 1008,
    透明标签3 = 1009,
    组合框_分钟 = 1010,
    透明标签2 = 1011,
    透明标签1 = 1012,
    组合框_小时 = 1013,
    时钟1 = 1014, // a timer: its id is the SetTimer id, there is no child window
    标签1 = 1015,
};

// A menu item's command id is this base plus its position in the stored menu tree.
inline constexpr int MenuCommandBase = 20000;

// MainWindow's private messages.
inline constexpr unsigned TrayCallbackMessage = 0x8064;   // WM_APP + 0x64
inline constexpr unsigned DestroyRequestMessage = 0x8065; // WM_APP + 0x65

// Window class of MainWindow; its caption is in the stored layout.
inline constexpr const char* MainWindowClassName = "QuorvelTimerMainWindow";
