// window.h - the stand-in's window records: classes, windows, the desktop.
//
// A window belongs to the thread that created it: its messages go to that
// thread's queue and its procedure runs only there. The table is shared by
// all threads (PostMessageA may come from anywhere), so lookups lock it;
// records are never freed or reused, so a pointer to one stays valid.
#ifndef LUMIVEX_WIN32_WINDOW_H
#define LUMIVEX_WIN32_WINDOW_H

#include <windows.h>

#include <atomic>
#include <memory>
#include <string>

struct MessageQueue;
struct DialogState;
// The host's side of a window (its surface, who takes its events), defined
// and made by the host that has one; null until then.
struct HostWindow;

struct Window {
    HWND handle = nullptr;
    WNDPROC proc = nullptr;
    HBRUSH brush = nullptr;
    std::string title;
    DWORD style = 0;
    HWND owner = nullptr;
    int x = 0, y = 0, width = 0, height = 0;
    std::shared_ptr<MessageQueue> queue;  // the owning thread's

    std::atomic<bool> alive{false};
    bool visible = false;
    bool sized = false;  // WM_SIZE and WM_MOVE sent once since creation
    bool active = false;
    bool minimised = false;
    bool needs_paint = false;
    HostWindow *host = nullptr;
    // What Alt+Enter does instead of a key message (sdl/include/win32_sdl.h).
    void (*alt_enter)(void *context) = nullptr;
    void *alt_enter_context = nullptr;

    // Dialogs only: the dialog procedure and the dialog manager's state.
    DLGPROC dialog_proc = nullptr;
    DialogState *dialog = nullptr;
};

struct WindowClass {
    std::string name;
    WNDPROC proc;
    HBRUSH brush;
    HINSTANCE instance;
};

// A registered class by name or atom, or null.
const WindowClass *find_class(LPCSTR name);

// A new record in the next slot, not yet alive; null when the slots are used up.
Window *new_window();
// The record in a slot (0 is the desktop), alive or not; null past the last.
Window *window_in_slot(size_t slot);

// The live window behind a handle, or null (destroyed, never made, desktop).
Window *find_window(HWND hwnd);

#endif
