// present_gdi.cpp - presents into the program's own window with GDI on
// Windows, as the accelerator took over the window it was opened on: in a
// window whose client area is 640x480 times the scale, or with the window made
// a borderless popup over its whole monitor, the picture centred at its own
// shape on black. close() gives the window back as it was.
//
// Alt+Enter switches between the two while the show runs, without the
// program's help: the presenter puts its own procedure in front of the
// window's, which takes the keys before the program's procedure sees them
// (they would be system keys to it, which end nothing) and hides the pointer
// over the full screen.
#include "../../host.h"

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

struct GdiPresenter;
GdiPresenter *presenting = nullptr;  // the presenter whose window presenter_proc serves
WNDPROC program_proc = nullptr;      // the procedure presenter_proc stands in front of
LRESULT CALLBACK presenter_proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

struct GdiPresenter : lumivex::Presenter {
    HWND window = nullptr;
    bool fullscreen = false;
    bool placed = false;  // sized as a window of ours
    int scale = 1;
    LONG_PTR saved_style = 0;
    RECT saved_rect{};
    BITMAPINFO info{};

    bool open(HWND w, bool full, int window_scale)
    {
        window = w;
        scale = window_scale;
        if (full && !cover_monitor())
            return false;
        if (!full)
            size_window();
        placed = !full;
        // Once: a window opened on again still has it in front.
        if (GetWindowLongPtrA(window, GWLP_WNDPROC) != (LONG_PTR)presenter_proc)
            program_proc = (WNDPROC)SetWindowLongPtrA(window, GWLP_WNDPROC, (LONG_PTR)presenter_proc);
        presenting = this;
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        return true;
    }

    // A borderless popup over the window's whole monitor, without a pointer.
    bool cover_monitor()
    {
        MONITORINFO monitor{};
        monitor.cbSize = sizeof monitor;
        if (!GetMonitorInfoA(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor))
            return false;
        saved_style = GetWindowLongPtrA(window, GWL_STYLE);
        GetWindowRect(window, &saved_rect);
        const RECT &m = monitor.rcMonitor;
        SetWindowLongPtrA(window, GWL_STYLE, (saved_style & WS_VISIBLE) | WS_POPUP);
        SetWindowPos(window, HWND_TOP, m.left, m.top, m.right - m.left, m.bottom - m.top,
                     SWP_FRAMECHANGED | SWP_NOACTIVATE);
        SetCursor(nullptr);
        fullscreen = true;
        return true;
    }

    // The window's style and place before the full screen, with its pointer.
    void uncover_monitor()
    {
        SetWindowLongPtrA(window, GWL_STYLE,
                          (GetWindowLongPtrA(window, GWL_STYLE) & WS_VISIBLE) |
                              (saved_style & ~(LONG_PTR)WS_VISIBLE));
        SetWindowPos(window, nullptr, saved_rect.left, saved_rect.top, saved_rect.right - saved_rect.left,
                     saved_rect.bottom - saved_rect.top, SWP_FRAMECHANGED | SWP_NOZORDER | SWP_NOACTIVATE);
        SetCursor((HCURSOR)GetClassLongPtrA(window, GCLP_HCURSOR));
        fullscreen = false;
    }

    // A client area of 640x480 times the scale, where the window stands.
    void size_window()
    {
        RECT r{0, 0, SCREEN_WIDTH * scale, SCREEN_HEIGHT * scale};
        AdjustWindowRectEx(&r, (DWORD)GetWindowLongPtrA(window, GWL_STYLE), FALSE,
                           (DWORD)GetWindowLongPtrA(window, GWL_EXSTYLE));
        SetWindowPos(window, nullptr, 0, 0, r.right - r.left, r.bottom - r.top,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }

    // Alt+Enter. A show opened full screen gets the window it would have had
    // as a window.
    void switch_output()
    {
        if (!fullscreen) {
            cover_monitor();
        } else {
            uncover_monitor();
            if (!placed)
                size_window();
            placed = true;
        }
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
        // Unless someone has put a procedure in front of ours since: then ours
        // stays, passing everything on.
        if (window && IsWindow(window) && GetWindowLongPtrA(window, GWLP_WNDPROC) == (LONG_PTR)presenter_proc)
            SetWindowLongPtrA(window, GWLP_WNDPROC, (LONG_PTR)program_proc);
        if (window && IsWindow(window) && fullscreen)
            uncover_monitor();
        if (presenting == this)
            presenting = nullptr;
        window = nullptr;
    }

    ~GdiPresenter() override { close(); }
};

// In front of the program's procedure. Enter with Alt held (bit 29) comes as
// a system key, and as a system character once translated; a held key
// repeats (bit 30) and switches only once. Over the full screen every move
// of the pointer asks for its shape again.
LRESULT CALLBACK presenter_proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    GdiPresenter *p = presenting;
    bool alt_enter = (message == WM_SYSKEYDOWN || message == WM_SYSKEYUP) && wParam == VK_RETURN;
    if (p && alt_enter && (lParam & (1 << 29))) {
        if (message == WM_SYSKEYDOWN && !(lParam & (1 << 30)))
            p->switch_output();
        return 0;
    }
    if (p && message == WM_SYSCHAR && wParam == '\r')
        return 0;
    if (p && p->fullscreen && message == WM_SETCURSOR && LOWORD(lParam) == HTCLIENT) {
        SetCursor(nullptr);
        return TRUE;
    }
    return CallWindowProcA(program_proc, hwnd, message, wParam, lParam);
}

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
