/* win32_sdl.h - the link between our two stand-ins on hosts that are not
   Windows: our Glide presents into the SDL window behind a window handle of
   our Win32, as the real driver took over the window it was opened on. */
#ifndef LUMIVEX_WIN32_SDL_H
#define LUMIVEX_WIN32_SDL_H

#include <windows.h>

struct SDL_Window;

#ifdef __cplusplus
extern "C" {
#endif

/* The SDL window of a window handle, created on first use; null when the
   handle names no window or no display can be opened. */
struct SDL_Window *win32_sdl_window(HWND hwnd);

/* Alt+Enter on a window is the display's, never a message: the program would
   only see a system key. While our Glide presents in the window it switches
   between the window and the full screen through switch_output (called with
   context on the window's thread, between the program's frames); null hands
   the keys back to nothing. */
void win32_sdl_on_alt_enter(HWND hwnd, void (*switch_output)(void *context), void *context);

/* Nonzero when there is a screen a person can see: a display server and an
   SDL video driver that is not a headless one. */
int win32_have_display(void);

/* Nonzero once the connection to the display is lost (the X server ended, a
   forwarded connection dropped): the windows on it are destroyed, as the
   system destroys them when the session ends, and nothing is drawn on it
   any more. The exit status then says so. */
int win32_display_lost(void);

/* Runs call(data), which uses the display (SDL's video), unless the display
   is lost; a loss that the call runs into gives it up where it is. Nonzero
   when the call ran to its end. */
int win32_display_call(void (*call)(void *), void *data);

#ifdef __cplusplus
}

/* win32_display_call for any callable: on_display([&] { ... }). */
template <class Call> bool on_display(Call &&call)
{
    return win32_display_call([](void *c) { (*static_cast<decltype(&call)>(c))(); }, &call) != 0;
}
#endif

#endif
