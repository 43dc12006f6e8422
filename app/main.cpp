#include <windows.h>

#include "app/RunTimeContext.h"
#include "app/StartProgram.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    int exitCode = StartProgram();
    ExitCleanUp();
    ExitProcess(static_cast<UINT>(exitCode));
}
