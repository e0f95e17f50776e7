// sdl_window.cpp - the SDL window behind an ordinary window, made when our
// Glide first asks for it, and what its SDL events become: keys and closing
// are posted, activation and moves sent at once, as Windows does.
#include <SDL.h>

#include <win32_sdl.h>

#include "../keys.h"
#include "sdl_link.h"
#include "../window.h"
#include "../window_life.h"

namespace {

void key_event(Window *w, const SDL_KeyboardEvent &e)
{
    bool alt = (e.keysym.mod & KMOD_ALT) != 0;
    bool ctrl = (e.keysym.mod & KMOD_CTRL) != 0;
    bool enter = e.keysym.scancode == SDL_SCANCODE_RETURN || e.keysym.scancode == SDL_SCANCODE_KP_ENTER;
    if (enter && alt && !ctrl) {  // neither press nor release posted; held down, it switches once
        if (e.type == SDL_KEYDOWN && !e.repeat && w->alt_enter)
            w->alt_enter(w->alt_enter_context);
        return;
    }
    // SDL's scan codes are the keys' USB usages.
    KeyMessage k = key_message(e.keysym.scancode, e.type == SDL_KEYDOWN, e.repeat != 0, alt, ctrl);
    PostMessageA(w->handle, k.message, k.vk, k.lParam);
}

void window_event(Window *w, const SDL_WindowEvent &e)
{
    switch (e.event) {
    case SDL_WINDOWEVENT_CLOSE: PostMessageA(w->handle, WM_CLOSE, 0, 0); break;
    case SDL_WINDOWEVENT_FOCUS_GAINED: activate_window(w); break;
    case SDL_WINDOWEVENT_FOCUS_LOST: deactivate_window(w); break;
    case SDL_WINDOWEVENT_MOVED:
        if (w->x != e.data1 || w->y != e.data2) {
            w->x = e.data1;
            w->y = e.data2;
            SendMessageA(w->handle, WM_MOVE, 0, MAKELPARAM(w->x, w->y));
        }
        break;
    case SDL_WINDOWEVENT_MINIMIZED:
        w->minimised = true;
        SendMessageA(w->handle, WM_SIZE, SIZE_MINIMIZED, 0);
        break;
    case SDL_WINDOWEVENT_RESTORED:
        if (w->minimised) {
            w->minimised = false;
            SendMessageA(w->handle, WM_SIZE, SIZE_RESTORED, MAKELPARAM(w->width, w->height));
        }
        break;
    default: break;
    }
}

void window_sdl_event(Window *w, const SDL_Event &e)
{
    if (e.type == SDL_KEYDOWN || e.type == SDL_KEYUP)
        key_event(w, e.key);
    else if (e.type == SDL_WINDOWEVENT)
        window_event(w, e.window);
}

}  // namespace

void display_show_window(Window *w, bool shown)
{
    SDL_Window *sdl = w->host ? w->host->sdl : nullptr;
    if (!sdl)
        return;
    on_display([&] {
        if (shown) {
            SDL_ShowWindow(sdl);
            if (w->dialog)  // a modal dialog comes to the front
                SDL_RaiseWindow(sdl);
        } else
            SDL_HideWindow(sdl);
    });
}

void win32_sdl_on_alt_enter(HWND hwnd, void (*switch_output)(void *context), void *context)
{
    if (Window *w = find_window(hwnd)) {
        w->alt_enter = switch_output;
        w->alt_enter_context = context;
    }
}

SDL_Window *win32_sdl_window(HWND hwnd)
{
    Window *w = find_window(hwnd);
    if (!w || w->dialog || !sdl_video_up())
        return nullptr;
    HostWindow &host = host_of(w);
    if (!host.sdl) {
        host.sdl = SDL_CreateWindow(w->title.c_str(), SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED,
                                    w->width, w->height, SDL_WINDOW_HIDDEN);
        if (host.sdl) {
            watch_display_connection(host.sdl);
            host.event = window_sdl_event;
            if (w->visible)
                SDL_ShowWindow(host.sdl);
        }
    }
    return host.sdl;
}
