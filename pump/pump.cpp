// pump.cpp - the quit signal and the one-message pump.
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

static void (*frame_callback)(long frame);
static long frames_pumped;

// Each frame's pump dispatches the one WM_USER queued here, which queues the next.
static LRESULT CALLBACK frame_window_proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_USER)
        return DefWindowProcA(hwnd, message, wParam, lParam);
    PostMessageA(hwnd, WM_USER, 0, 0);
    frame_callback(frames_pumped++);
    return 0;
}

void call_each_frame(void (*on_frame)(long frame))
{
    frame_callback = on_frame;
    WNDCLASSA wc{};
    wc.lpfnWndProc = frame_window_proc;
    wc.lpszClassName = "LumivexFrames";
    RegisterClassA(&wc);
    HWND hwnd = CreateWindowExA(0, "LumivexFrames", "", WS_OVERLAPPED, 0, 0, 1, 1, nullptr, nullptr, nullptr,
                                nullptr);
    PostMessageA(hwnd, WM_USER, 0, 0);
}
