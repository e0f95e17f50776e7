// sdl_link.h - where our windows meet SDL: video start-up, the display
// question, and SDL's events turned into window messages.
#ifndef LUMIVEX_WIN32_SDL_LINK_H
#define LUMIVEX_WIN32_SDL_LINK_H

#include <win32_sdl.h>

union SDL_Event;
struct Window;

// Starts SDL's video on first use; false when it cannot start. The thread
// that starts it is the one that owns SDL's windows and events.
bool sdl_video_up();

// True when there is a screen a person can see: video is up and its driver
// is not one of SDL's headless ones.
bool have_display();

// Moves SDL's pending events into the windows' queues (input, closing) or
// sends them at once (activation, moves), as Windows does. Only on SDL's
// thread, and only once video is up: it never starts video itself.
void pump_sdl_events();

// The keyboard modifiers held now (SDL's KMOD_ bits), 0 without video.
int sdl_modifiers();

#endif
