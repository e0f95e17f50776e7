// sdl_link.h - where our windows meet SDL: video start-up, the display
// question, and SDL's events handed to the windows they belong to.
#ifndef LUMIVEX_WIN32_SDL_LINK_H
#define LUMIVEX_WIN32_SDL_LINK_H

#include "display.h"

struct SDL_Window;

// Starts SDL's video on first use; false when it cannot start. The thread
// that starts it is the one that owns SDL's windows and events.
bool sdl_video_up();

// Watches the connection of the display the window is on (once: there is one
// display; sdl_connection.cpp): when it is lost, win32_display_lost() says
// so, the pump destroys every top-level window, and nothing more is asked of
// the display.
void watch_display_connection(SDL_Window *window);
// Whether it is lost, looking at the connection itself first.
bool display_connection_lost();

// The display (display.h) is SDL's when video is up and its driver is not
// one of SDL's headless ones.

// Once video is up, every PeekMessageA on SDL's thread hands SDL's pending
// events to the sdl_event handler of the window each belongs to; events of
// no window, or of one without a handler, are dropped.

#endif
