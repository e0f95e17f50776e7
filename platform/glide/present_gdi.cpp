// present_gdi.cpp - presents into the program's own window with GDI on
// Windows, as the accelerator took over the window it was opened on: in a
// window whose client area is 640x480 times the scale, or with the window made
// a borderless popup over its whole monitor, the picture centred at its own
// shape on black. close() gives the window back as it was.
#include "host.h"

#include <windows.h>

#include <cstdint>
#include <memory>

namespace {

using lumivex::SCREEN_HEIGHT;
using lumivex::SCREEN_WIDTH;

// The program hands its window over as a 32-bit value. Window handles are
// 32-bit values on 64-bit Windows too, widened with their sign.
HWND window_of(FxU32 hwnd)
{
    return (HWND)(intptr_t)(int32_t)hwnd;
}

// The largest rectangle of the picture's shape that fits the client area,
// centred in it.
RECT fit_picture(const RECT &client, int width, int height)
{
    int cw = client.right - client.left, ch = client.bottom - client.top;
    int w = cw, h = ch;
    if ((int64_t)cw * height <= (int64_t)ch * width)
        h = (int)((int64_t)cw * height / width);
    else
        w = (int)((int64_t)ch * width / height);
    RECT r;
    r.left = client.left + (cw - w) / 2;
    r.top = client.top + (ch - h) / 2;
    r.right = r.left + w;
    r.bottom = r.top + h;
    return r;
}

struct GdiPresenter : lumivex::Presenter {
    HWND window = nullptr;
    bool fullscreen = false;
    LONG_PTR saved_style = 0;
    RECT saved_rect{};
    BITMAPINFO info{};

    bool open(HWND w, bool full, int scale)
    {
        window = w;
        fullscreen = full;
        saved_style = GetWindowLongPtrA(window, GWL_STYLE);
        GetWindowRect(window, &saved_rect);
        if (fullscreen) {
            MONITORINFO monitor{};
            monitor.cbSize = sizeof monitor;
            if (!GetMonitorInfoA(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor))
                return false;
            const RECT &m = monitor.rcMonitor;
            SetWindowLongPtrA(window, GWL_STYLE, (saved_style & WS_VISIBLE) | WS_POPUP);
            SetWindowPos(window, HWND_TOP, m.left, m.top, m.right - m.left, m.bottom - m.top,
                         SWP_FRAMECHANGED | SWP_NOACTIVATE);
        } else {
            RECT r{0, 0, SCREEN_WIDTH * scale, SCREEN_HEIGHT * scale};
            AdjustWindowRectEx(&r, (DWORD)saved_style, FALSE, (DWORD)GetWindowLongPtrA(window, GWL_EXSTYLE));
            SetWindowPos(window, nullptr, 0, 0, r.right - r.left, r.bottom - r.top,
                         SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        return true;
    }

    // 0x00RRGGBB is GDI's 32-bit BGRX in memory.
    void present(const uint32_t *xrgb, int width, int height) override
    {
        if (!window)
            return;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;  // rows from the top
        RECT client;
        if (!GetClientRect(window, &client) || client.right <= 0 || client.bottom <= 0)
            return;
        HDC dc = GetDC(window);
        if (!dc)
            return;
        RECT to = fit_picture(client, width, height);
        // The bars around the picture; none in a window of the right shape.
        if (to.top > 0)
            PatBlt(dc, 0, 0, client.right, to.top, BLACKNESS);
        if (to.bottom < client.bottom)
            PatBlt(dc, 0, to.bottom, client.right, client.bottom - to.bottom, BLACKNESS);
        if (to.left > 0)
            PatBlt(dc, 0, to.top, to.left, to.bottom - to.top, BLACKNESS);
        if (to.right < client.right)
            PatBlt(dc, to.right, to.top, client.right - to.right, to.bottom - to.top, BLACKNESS);
        int w = to.right - to.left, h = to.bottom - to.top;
        if (w == width && h == height) {
            SetDIBitsToDevice(dc, to.left, to.top, width, height, 0, 0, 0, height, xrgb, &info,
                              DIB_RGB_COLORS);
        } else {
            // Whole pixels, no smoothing: the picture keeps its hard edges.
            SetStretchBltMode(dc, COLORONCOLOR);
            StretchDIBits(dc, to.left, to.top, w, h, 0, 0, width, height, xrgb, &info, DIB_RGB_COLORS,
                          SRCCOPY);
        }
        ReleaseDC(window, dc);
    }

    void close() override
    {
        if (window && fullscreen && IsWindow(window)) {
            SetWindowLongPtrA(window, GWL_STYLE,
                              (GetWindowLongPtrA(window, GWL_STYLE) & WS_VISIBLE) |
                                  (saved_style & ~(LONG_PTR)WS_VISIBLE));
            SetWindowPos(window, nullptr, saved_rect.left, saved_rect.top, saved_rect.right - saved_rect.left,
                         saved_rect.bottom - saved_rect.top,
                         SWP_FRAMECHANGED | SWP_NOZORDER | SWP_NOACTIVATE);
        }
        window = nullptr;
    }

    ~GdiPresenter() override { close(); }
};

}  // namespace

std::unique_ptr<lumivex::Presenter> open_host_presenter(FxU32 hwnd, bool fullscreen, int scale)
{
    HWND window = window_of(hwnd);
    if (!IsWindow(window))
        return nullptr;
    auto presenter = std::make_unique<GdiPresenter>();
    if (!presenter->open(window, fullscreen, scale))
        return nullptr;
    return presenter;
}
