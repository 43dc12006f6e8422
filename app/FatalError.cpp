#include "app/FatalError.h"

#include <windows.h>

#include "app/FatalErrorText.h"
#include "app/RunTimeContext.h"
#include "app/framework/Events.h"

void ReportFatalError(std::string_view message, std::int32_t code) {
    SuspendEvents(); // no handler runs while the box's modal loop delivers messages
    MessageBoxA(nullptr, FatalErrorText(message, code).c_str(), "错误", MB_ICONERROR);
    ExitCleanUp();
    ExitProcess(static_cast<UINT>(-1));
}
