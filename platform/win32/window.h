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

struct SDL_Window;
struct MessageQueue;
struct DialogState;

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
    bool sized = false;        // WM_SIZE and WM_MOVE sent once since creation
    bool active = false;
    bool minimised = false;
    bool needs_paint = false;
    SDL_Window *sdl = nullptr;

    // Dialogs only: the dialog procedure and the dialog manager's state.
    DLGPROC dialog_proc = nullptr;
    DialogState *dialog = nullptr;
};

// The live window behind a handle, or null (destroyed, never made, desktop).
Window *find_window(HWND hwnd);
// The window behind this SDL window, or null.
Window *find_window_by_sdl(const SDL_Window *sdl);

// Creates a window with a procedure of our own instead of a class: the
// dialog manager's windows. Sends the creation messages like CreateWindowExA.
HWND create_window_with_proc(WNDPROC proc, LPCSTR title, DWORD style, int x, int y, int width,
                             int height, HWND owner, LPVOID param);

// Activation as the system does it when a window is shown, clicked or
// restored, and when it loses the focus.
void activate_window(Window *w);
void deactivate_window(Window *w);

#endif
