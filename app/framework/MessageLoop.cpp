#include "app/framework/MessageLoop.h"

#include <windows.h>

#include "app/framework/Form.h"

namespace {
bool loopEntered = false;
}

bool MessageLoopEntered() { return loopEntered; }

int RunMessageLoop() {
    loopEntered = true;
    if (!Form::Loaded()) return 0;
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        Form* form = Form::Loaded();
        if (form && form->PreTranslate(message)) continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}
