// sdl_link.h - where our windows meet SDL: video start-up, the display
// question, each window's SDL side (HostWindow), and SDL's events handed to
// the windows they belong to.
#ifndef LUMIVEX_WIN32_SDL_LINK_H
#define LUMIVEX_WIN32_SDL_LINK_H

#include <SDL.h>

#include "../display.h"
#include "../window.h"

// A window's side on SDL: its SDL window, made when our Glide first asks for
// it or when a dialog opens, and whoever makes that says who takes its
// events: the window's own rules for keys, focus and moves, or the dialog
// manager's. A dialog draws through its renderer.
struct HostWindow {
    SDL_Window *sdl = nullptr;
    void (*event)(Window *w, const SDL_Event &e) = nullptr;
    SDL_Renderer *renderer = nullptr;
};

// The window's host side, made on first use; like the window's record it
// lasts until the process ends.
HostWindow &host_of(Window *w);

// Starts SDL's video on first use; false when it cannot start. The thread
// that starts it is the one that owns SDL's windows and events.
bool sdl_video_up();

// The display's connection watched for its loss (sdl_connection.cpp): its
// errors from the start of video, its socket from the first window on it
// (there is one display). Once it is lost, win32_display_lost() says so, the
// pump destroys every top-level window, and nothing more is asked of the
// display. display_connection_lost looks at the socket, and says the loss
// once, in one line.
void watch_display_errors();
void watch_display_connection(SDL_Window *window);
bool display_connection_lost();

// The display (display.h) is SDL's when video is up and its driver is not
// one of SDL's headless ones.

// Once video is up, every PeekMessageA on SDL's thread hands SDL's pending
// events to the event handler of the window each belongs to; events of no
// window, or of one without a handler, are dropped.

#endif
