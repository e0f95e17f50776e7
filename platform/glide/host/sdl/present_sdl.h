// present_sdl.h - the SDL2 presenter: frames into an SDL window, windowed or
// over the whole screen with the picture's aspect kept.
#ifndef LUMIVEX_GLIDE_PRESENT_SDL_H
#define LUMIVEX_GLIDE_PRESENT_SDL_H

#include <lumivex_glide.h>
#include <windows.h>

#include <memory>

struct SDL_Window;

// Null when the window cannot take a renderer. While it presents, the owner's
// Alt+Enter switches it between the window and the full screen.
std::unique_ptr<lumivex::Presenter> open_sdl_presenter(HWND owner, SDL_Window *window, bool fullscreen,
                                                       int scale);

#endif
