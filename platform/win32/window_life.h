// window_life.h - a window's life as the system leads it: creation with the
// messages it sends, showing and activation, destruction.
#ifndef LUMIVEX_WIN32_WINDOW_LIFE_H
#define LUMIVEX_WIN32_WINDOW_LIFE_H

#include <windows.h>

struct Window;

// Creates a window with a procedure of our own instead of a class: the
// dialog manager's windows. Sends the creation messages like CreateWindowExA.
HWND create_window_with_proc(WNDPROC proc, LPCSTR title, DWORD style, int x, int y, int width, int height,
                             HWND owner, LPVOID param);

// Activation as the system does it when a window is shown, clicked or
// restored, and when it loses the focus.
void activate_window(Window *w);
void deactivate_window(Window *w);

#endif
