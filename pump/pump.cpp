// The quit signal and the one-message pump.
#include "pump/pump.h"

LONG quit_requests = 0;

int dispatch_one_message()
{
    MSG msg;
    if (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}
