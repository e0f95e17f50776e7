// sdl_link.h - where our windows meet SDL: video start-up, the display
// question, and SDL's events turned into window messages.
#ifndef LUMIVEX_WIN32_SDL_LINK_H
#define LUMIVEX_WIN32_SDL_LINK_H

#include <win32_sdl.h>

#include "display.h"

union SDL_Event;
struct Window;

// Starts SDL's video on first use; false when it cannot start. The thread
// that starts it is the one that owns SDL's windows and events.
bool sdl_video_up();

// The display (display.h) is SDL's when video is up and its driver is not
// one of SDL's headless ones; its events are pumped only on SDL's thread.

#endif
