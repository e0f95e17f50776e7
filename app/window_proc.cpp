// window_proc.cpp - the main window's procedure: keys and the window's end become quit
// requests; activation and moves go to Glide.
#include <glide.h>

#include "app/shell.h"

LRESULT CALLBACK main_window_proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_DESTROY: quit_requests++; return 0;
    case WM_MOVE:
        // Glide could not follow the window: close it, which ends the show.
        if (!grSstControl(GR_CONTROL_MOVE))
            PostMessageA(hwnd, WM_CLOSE, 0, 0);
        return 0;
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE && HIWORD(wParam) == 0)
            grSstControl(GR_CONTROL_ACTIVATE);
        else
            grSstControl(GR_CONTROL_DEACTIVATE);
        return 0;
    case WM_KEYDOWN:
        // Every key-down counts, auto-repeats included.
        quit_requests++;
        return 0;
    default: return DefWindowProcA(hwnd, message, wParam, lParam);
    }
}
