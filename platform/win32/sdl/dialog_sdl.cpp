// dialog_sdl.cpp - a dialog's SDL window: made and released around the modal
// run, drawn by dialog_draw on its canvas, and its events turned into the
// dialog's keyboard and mouse rules.
#include <SDL.h>

#include <cstdio>
#include <win32_sdl.h>

#include "../dialog.h"
#include "sdl_link.h"
#include "../window.h"
#include "../window_life.h"

namespace {

// SDL's events for a dialog's window: the dialog manager's keyboard and
// mouse rules, and the few window events a dialog cares about.
void dialog_sdl_event(Window *w, const SDL_Event &e)
{
    DialogState &d = *w->dialog;
    int command = 0;
    switch (e.type) {
    case SDL_KEYDOWN: {
        bool shift = (e.key.keysym.mod & KMOD_SHIFT) != 0;
        int vk = 0;
        switch (e.key.keysym.sym) {
        case SDLK_TAB: vk = VK_TAB; break;
        case SDLK_RETURN:
        case SDLK_KP_ENTER: vk = VK_RETURN; break;
        case SDLK_ESCAPE: vk = VK_ESCAPE; break;
        case SDLK_SPACE: vk = VK_SPACE; break;
        case SDLK_LEFT: vk = VK_LEFT; break;
        case SDLK_RIGHT: vk = VK_RIGHT; break;
        case SDLK_UP: vk = VK_UP; break;
        case SDLK_DOWN: vk = VK_DOWN; break;
        case SDLK_F4:
            if (e.key.keysym.mod & KMOD_ALT)  // Alt+F4 closes it like the close box
                SendMessageA(w->handle, WM_CLOSE, 0, 0);
            return;
        default: return;
        }
        command = dialog_key_down(d, vk, shift);
        break;
    }
    case SDL_KEYUP:
        if (e.key.keysym.sym == SDLK_SPACE)
            command = dialog_key_up(d, VK_SPACE);
        break;
    case SDL_MOUSEBUTTONDOWN:
        if (e.button.button == SDL_BUTTON_LEFT)
            command = dialog_mouse_down(d, e.button.x, e.button.y);
        break;
    case SDL_MOUSEMOTION: command = dialog_mouse_move(d, e.motion.x, e.motion.y); break;
    case SDL_MOUSEBUTTONUP:
        if (e.button.button == SDL_BUTTON_LEFT)
            command = dialog_mouse_up(d, e.button.x, e.button.y);
        break;
    case SDL_WINDOWEVENT:
        if (e.window.event == SDL_WINDOWEVENT_CLOSE)
            SendMessageA(w->handle, WM_CLOSE, 0, 0);
        else if (e.window.event == SDL_WINDOWEVENT_EXPOSED)
            d.dirty = true;
        else if (e.window.event == SDL_WINDOWEVENT_FOCUS_GAINED)
            activate_window(w);
        break;
    default: break;
    }
    dialog_send_command(w, command);
}

}  // namespace

bool display_open_dialog(Window *w)
{
    DialogState &d = *w->dialog;
    HostWindow &host = host_of(w);
    // DS_CENTER: centred on the screen, whoever the owner.
    host.sdl = SDL_CreateWindow(w->title.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, d.width,
                                d.height, SDL_WINDOW_HIDDEN);
    if (host.sdl) {
        watch_display_connection(host.sdl);
        host.event = dialog_sdl_event;
        host.renderer = SDL_CreateRenderer(host.sdl, -1, SDL_RENDERER_SOFTWARE);
    }
    if (!host.renderer) {
        fprintf(stderr, "lumivex: cannot open the start-up dialog's window: %s\n", SDL_GetError());
        if (host.sdl)
            SDL_DestroyWindow(host.sdl);
        host.sdl = nullptr;
        return false;
    }
    int x, y;
    SDL_GetWindowPosition(host.sdl, &x, &y);
    w->x = x;
    w->y = y;
    return true;
}

void display_draw_dialog(Window *w)
{
    on_display([&] { dialog_draw(*w->dialog, w->host); });
}

void display_close_dialog(Window *w)
{
    HostWindow &host = host_of(w);
    // A lost display has taken them with it.
    on_display([&] {
        if (host.renderer)
            SDL_DestroyRenderer(host.renderer);
        if (host.sdl)
            SDL_DestroyWindow(host.sdl);
    });
    host.renderer = nullptr;
    host.sdl = nullptr;
}
