// defproc.cpp - the default window procedure: what a window gets for what it
// leaves alone.
#include <windows.h>

#include "window.h"

LRESULT WINAPI DefWindowProcA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_NCCREATE: return TRUE;  // anything else would fail the creation
    case WM_CLOSE: DestroyWindow(hwnd); return 0;
    case WM_SYSKEYDOWN:
        // Alt+F4: bit 29 of lParam says Alt was down.
        if (wParam == VK_F4 && (lParam & (1 << 29)))
            SendMessageA(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
        return 0;
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == SC_CLOSE)
            SendMessageA(hwnd, WM_CLOSE, 0, 0);
        return 0;
    case WM_PAINT:
        // Validates the window: nothing of ours is drawn in the client area.
        if (Window *w = find_window(hwnd))
            w->needs_paint = false;
        return 0;
    case WM_ERASEBKGND: {
        Window *w = find_window(hwnd);
        return w && w->brush ? 1 : 0;
    }
    default: return 0;
    }
}
