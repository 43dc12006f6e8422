#include "app/StartProgram.h"

#include "app/FatalError.h"
#include "app/MainWindowLayout.h"
#include "app/RunTimeContext.h"
#include "app/framework/Form.h"
#include "app/framework/MessageLoop.h"

int StartProgram() {
    StartRunTime();
    Form mainWindow;
    if (!mainWindow.Load(MainWindowLayout())) ReportFatalError("载入启动窗口失败", 0);
    mainWindow.Raise(TheWindow, Event::Created);
    if (mainWindow.Exists()) mainWindow.Raise(TheWindow, Event::Moved);
    if (mainWindow.Exists()) ShowWindow(mainWindow.Handle(), SW_SHOW);
    return RunMessageLoop();
}
