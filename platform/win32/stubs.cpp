// Placeholders until the window layer lands: no windows, nothing queued.
#include <windows.h>
#include <win32_sdl.h>

BOOL WINAPI PostMessageA(HWND, UINT, WPARAM, LPARAM) { return FALSE; }
struct SDL_Window *win32_sdl_window(HWND) { return nullptr; }
