// window.cpp - the tables of window classes and windows, and the questions
// asked of them.
#include "window.h"

#include <strings.h>

#include <deque>
#include <mutex>
#include <vector>

#include "handles.h"

namespace {

std::mutex table_mutex;
std::vector<WindowClass> classes;             // atom = 0xC000 + index, as string atoms are
std::deque<std::unique_ptr<Window>> windows;  // slot 0 is the desktop

const ATOM FIRST_CLASS_ATOM = 0xC000;

Window *window_at(intptr_t slot)
{
    if (slot < 0 || static_cast<size_t>(slot) >= windows.size())
        return nullptr;
    return windows[slot].get();
}

intptr_t slot_of(HWND hwnd)
{
    return reinterpret_cast<intptr_t>(hwnd) - WINDOW_HANDLE_BASE;
}

void make_desktop()
{
    if (!windows.empty())
        return;
    auto desktop = std::make_unique<Window>();
    desktop->handle = reinterpret_cast<HWND>(WINDOW_HANDLE_BASE);
    desktop->title = "Desktop";
    desktop->visible = true;
    desktop->width = 640;
    desktop->height = 480;
    windows.push_back(std::move(desktop));
}

}  // namespace

Window *new_window()
{
    std::lock_guard lock(table_mutex);
    make_desktop();
    if (static_cast<intptr_t>(windows.size()) >= MAX_WINDOWS)
        return nullptr;
    auto w = std::make_unique<Window>();
    w->handle = reinterpret_cast<HWND>(WINDOW_HANDLE_BASE + static_cast<intptr_t>(windows.size()));
    windows.push_back(std::move(w));
    return windows.back().get();
}

Window *window_in_slot(size_t slot)
{
    std::lock_guard lock(table_mutex);
    return slot < windows.size() ? windows[slot].get() : nullptr;
}

const WindowClass *find_class(LPCSTR name)
{
    std::lock_guard lock(table_mutex);
    uintptr_t v = reinterpret_cast<uintptr_t>(name);
    if (v < 0x10000) {  // an atom
        if (v < FIRST_CLASS_ATOM || v - FIRST_CLASS_ATOM >= classes.size())
            return nullptr;
        return &classes[v - FIRST_CLASS_ATOM];
    }
    for (const WindowClass &c : classes)
        if (strcasecmp(c.name.c_str(), name) == 0)
            return &c;
    return nullptr;
}

Window *find_window(HWND hwnd)
{
    std::lock_guard lock(table_mutex);
    Window *w = window_at(slot_of(hwnd));
    return w && w->alive ? w : nullptr;
}

ATOM WINAPI RegisterClassA(const WNDCLASSA *wc)
{
    if (!wc || !wc->lpfnWndProc || !wc->lpszClassName || !*wc->lpszClassName)
        return 0;
    if (find_class(wc->lpszClassName))
        return 0;  // already registered
    std::lock_guard lock(table_mutex);
    classes.push_back({wc->lpszClassName, wc->lpfnWndProc, wc->hbrBackground, wc->hInstance});
    return static_cast<ATOM>(FIRST_CLASS_ATOM + classes.size() - 1);
}

HWND WINAPI GetDesktopWindow(void)
{
    std::lock_guard lock(table_mutex);
    make_desktop();
    return windows[0]->handle;
}

BOOL WINAPI IsWindow(HWND hwnd)
{
    return find_window(hwnd) != nullptr || (hwnd && hwnd == GetDesktopWindow());
}

BOOL WINAPI IsWindowVisible(HWND hwnd)
{
    Window *w = find_window(hwnd);
    return w && w->visible;
}
