// window_life.cpp - a window's life: creation, showing and activation,
// destruction, each with the messages Windows sends on the way.
#include "window_life.h"

#include "display.h"
#include "queue.h"
#include "window.h"

namespace {

// Where the system puts a window created at CW_USEDEFAULT.
const int DEFAULT_X = 64, DEFAULT_Y = 48;
const int DEFAULT_WIDTH = 640, DEFAULT_HEIGHT = 480;

Window *active_window = nullptr;  // of the main thread, the only one that shows windows

LRESULT send(Window *w, UINT message, WPARAM wParam, LPARAM lParam)
{
    return SendMessageA(w->handle, message, wParam, lParam);
}

// The first showing of a window tells it its size and place, as a window
// that was created hidden learns them only then.
void send_size_and_move(Window *w)
{
    send(w, WM_SIZE, w->minimised ? SIZE_MINIMIZED : SIZE_RESTORED, MAKELPARAM(w->width, w->height));
    send(w, WM_MOVE, 0, MAKELPARAM(w->x, w->y));
}

}  // namespace

HWND create_window_with_proc(WNDPROC proc, LPCSTR title, DWORD style, int x, int y, int width, int height,
                             HWND owner, LPVOID param)
{
    Window *w = new_window();
    if (!w)
        return nullptr;
    w->proc = proc;
    w->title = title ? title : "";
    w->style = style & ~WS_VISIBLE;
    w->owner = owner;
    bool popup = (style & WS_POPUP) != 0;
    w->x = x == CW_USEDEFAULT ? (popup ? 0 : DEFAULT_X) : x;
    w->y = x == CW_USEDEFAULT ? (popup ? 0 : DEFAULT_Y) : y;
    w->width = width == CW_USEDEFAULT ? (popup ? 0 : DEFAULT_WIDTH) : width;
    w->height = width == CW_USEDEFAULT ? (popup ? 0 : DEFAULT_HEIGHT) : height;
    w->queue = current_queue();
    w->alive = true;

    CREATESTRUCTA cs{};
    cs.lpCreateParams = param;
    cs.hwndParent = owner;
    cs.cx = w->width;
    cs.cy = w->height;
    cs.x = w->x;
    cs.y = w->y;
    cs.style = static_cast<LONG>(style);
    cs.lpszName = title;
    LPARAM cs_param = reinterpret_cast<LPARAM>(&cs);
    if (!send(w, WM_NCCREATE, 0, cs_param)) {
        send(w, WM_NCDESTROY, 0, 0);
        w->alive = false;
        return nullptr;
    }
    if (send(w, WM_CREATE, 0, cs_param) == -1) {
        DestroyWindow(w->handle);
        return nullptr;
    }
    if (style & WS_VISIBLE)
        ShowWindow(w->handle, SW_SHOW);
    return w->handle;
}

HWND WINAPI CreateWindowExA(DWORD, LPCSTR class_name, LPCSTR title, DWORD style, int x, int y, int width,
                            int height, HWND parent, HMENU, HINSTANCE, LPVOID param)
{
    const WindowClass *c = class_name ? find_class(class_name) : nullptr;
    if (!c)
        return nullptr;
    if (parent && !find_window(parent) && parent != GetDesktopWindow())
        return nullptr;
    HWND hwnd = create_window_with_proc(c->proc, title, style, x, y, width, height, parent, param);
    if (Window *w = find_window(hwnd))
        w->brush = c->brush;
    return hwnd;
}

void activate_window(Window *w)
{
    if (w->active)
        return;
    Window *previous = active_window;
    if (previous && previous != w)
        deactivate_window(previous);
    active_window = w;
    w->active = true;
    if (!previous)
        send(w, WM_ACTIVATEAPP, TRUE, 0);
    send(w, WM_ACTIVATE, MAKEWPARAM(WA_ACTIVE, w->minimised ? 1 : 0),
         reinterpret_cast<LPARAM>(previous ? previous->handle : nullptr));
    if (w->alive)
        send(w, WM_SETFOCUS, 0, 0);
}

void deactivate_window(Window *w)
{
    if (!w->active)
        return;
    w->active = false;
    if (active_window == w)
        active_window = nullptr;
    send(w, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, w->minimised ? 1 : 0), 0);
    if (!active_window)
        send(w, WM_ACTIVATEAPP, FALSE, 0);
    send(w, WM_KILLFOCUS, 0, 0);
}

BOOL WINAPI ShowWindow(HWND hwnd, int command)
{
    Window *w = find_window(hwnd);
    if (!w)
        return FALSE;
    BOOL was_visible = w->visible;
    if (command == SW_HIDE) {
        if (!w->visible)
            return FALSE;
        send(w, WM_SHOWWINDOW, FALSE, 0);
        w->visible = false;
        display_show_window(w, false);
        deactivate_window(w);
        return was_visible;
    }
    if (w->visible)
        return was_visible;
    // The order a top-level window sees when it is first shown: shown, then
    // activated and focused, then told its size and place.
    send(w, WM_SHOWWINDOW, TRUE, 0);
    w->visible = true;
    w->needs_paint = true;
    display_show_window(w, true);
    if (!(w->style & WS_CHILD))
        activate_window(w);
    if (!w->sized && w->alive) {
        w->sized = true;
        send_size_and_move(w);
    }
    return was_visible;
}

BOOL WINAPI UpdateWindow(HWND hwnd)
{
    Window *w = find_window(hwnd);
    if (!w)
        return FALSE;
    if (w->visible && w->needs_paint)
        send(w, WM_PAINT, 0, 0);
    return TRUE;
}

BOOL WINAPI DestroyWindow(HWND hwnd)
{
    Window *w = find_window(hwnd);
    if (!w || w->queue != current_queue())
        return FALSE;  // only the owning thread may destroy a window
    // Windows this one owns go first, as they would on Windows.
    for (size_t slot = 1; Window *owned = window_in_slot(slot); ++slot)
        if (owned->alive && owned->owner == hwnd)
            DestroyWindow(owned->handle);
    if (w->visible) {
        w->visible = false;
        display_show_window(w, false);
    }
    deactivate_window(w);
    send(w, WM_DESTROY, 0, 0);
    send(w, WM_NCDESTROY, 0, 0);
    // Our Glide may still hold the host's window of a destroyed main window
    // and present one more frame into it, so that stays, hidden, until the end.
    w->alive = false;
    return TRUE;
}
