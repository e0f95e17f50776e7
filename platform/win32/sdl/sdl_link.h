// sdl_link.h - where our windows meet SDL: video start-up, the display
// question, and SDL's events handed to the windows they belong to.
#ifndef LUMIVEX_WIN32_SDL_LINK_H
#define LUMIVEX_WIN32_SDL_LINK_H

#include "../display.h"

struct SDL_Window;

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
// events to the sdl_event handler of the window each belongs to; events of
// no window, or of one without a handler, are dropped.

#endif
