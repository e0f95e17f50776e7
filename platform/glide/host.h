// host.h - what our Glide needs from the machine it runs on: a clock, a key
// press posted to the program's window, and a presenter on that window. The
// rest of the library knows nothing of the host.
#ifndef LUMIVEX_GLIDE_HOST_H
#define LUMIVEX_GLIDE_HOST_H

#include <glide.h>
#include <lumivex_glide.h>

#include <memory>

// The host's monotonic clock, in nanoseconds.
lumivex::GlideClock &host_clock();
constexpr int64_t NS_PER_SECOND = 1000000000;

// Posts a key-down of the space bar to the window (LUMIVEX_KEY_AT_FRAME).
void host_post_key(FxU32 hwnd);

// An output asked for (the capture, a frame dump, the trace) could not be
// written completely: said already on stderr, this makes the exit status say
// it too, through our Win32. Windows has no way for a library to change the
// status the program returns, so there the status stays the program's.
void host_output_failed();

// A presenter on the program's window, windowed at 640x480 times scale or
// over the whole screen; null when there is no display to present on.
// One per host, in host/: sdl/present_sdl.cpp (Linux), gdi/present_gdi.cpp
// (Windows), web/present_web.cpp (the page).
std::unique_ptr<lumivex::Presenter> open_host_presenter(FxU32 hwnd, bool fullscreen, int scale);

#endif
