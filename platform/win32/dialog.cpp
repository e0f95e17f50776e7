// DialogBoxParamA: a dialog resource run modally, on the screen or, without
// one, answered by LUMIVEX_DIALOG.
#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <strings.h>

#include "dialog.h"
#include "queue.h"
#include "sdl_link.h"
#include "window.h"

namespace {

// The dialog manager's own window procedure: the dialog procedure first,
// and what it leaves alone handled as a dialog handles it.
LRESULT CALLBACK dialog_window_proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    Window *w = find_window(hwnd);
    if (w && w->dialog_proc) {
        INT_PTR handled = w->dialog_proc(hwnd, message, wParam, lParam);
        if (handled)
            return handled;
    }
    switch (message) {
    case WM_CLOSE:
        // Closing a dialog from its caption is the same as Esc: IDCANCEL.
        SendMessageA(hwnd, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        return 0;
    case WM_INITDIALOG:
        return 0;
    case WM_ACTIVATE:
        // A dialog that comes up without a focus gives it to its first
        // control that takes one.
        if (LOWORD(wParam) != WA_INACTIVE && w && w->dialog && w->dialog->focus < 0)
            dialog_initial_focus(*w->dialog);
        return 0;
    default:
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
}

void send_command(Window *w, int id)
{
    if (id)
        SendMessageA(w->handle, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
}

// LUMIVEX_DIALOG's answer as a command id: 0 when unset, -1 when it is not
// an answer (reported once here).
int preset_answer()
{
    const char *v = getenv("LUMIVEX_DIALOG");
    if (!v || !*v)
        return 0;
    if (strcasecmp(v, "start") == 0)
        return IDOK;
    if (strcasecmp(v, "exit") == 0)
        return IDCANCEL;
    fprintf(stderr, "lumivex: LUMIVEX_DIALOG=%s is neither start nor exit; ignored\n", v);
    return -1;
}

bool make_sdl_window(Window *w, DialogState &d)
{
    // DS_CENTER: centred on the screen, whoever the owner.
    w->sdl = SDL_CreateWindow(w->title.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                              d.width, d.height, SDL_WINDOW_HIDDEN);
    if (!w->sdl)
        return false;
    d.renderer = SDL_CreateRenderer(w->sdl, -1, SDL_RENDERER_SOFTWARE);
    if (!d.renderer) {
        SDL_DestroyWindow(w->sdl);
        w->sdl = nullptr;
        return false;
    }
    int x, y;
    SDL_GetWindowPosition(w->sdl, &x, &y);
    w->x = x;
    w->y = y;
    return true;
}

void release_sdl_window(Window *w, DialogState &d)
{
    if (d.renderer)
        SDL_DestroyRenderer(d.renderer);
    if (w->sdl)
        SDL_DestroyWindow(w->sdl);
    d.renderer = nullptr;
    w->sdl = nullptr;
}

// The modal loop: the whole thread's messages are dispatched while the
// dialog is up, as Windows does, until the dialog's window is gone.
void run_modal(HWND hwnd)
{
    while (IsWindow(hwnd)) {
        MSG msg;
        while (IsWindow(hwnd) && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        Window *w = find_window(hwnd);
        if (!w)
            break;
        if (w->dialog->dirty)
            dialog_draw(*w->dialog);
        SDL_WaitEventTimeout(nullptr, 100);
    }
}

}  // namespace

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
    case SDL_MOUSEMOTION:
        command = dialog_mouse_move(d, e.motion.x, e.motion.y);
        break;
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
    default:
        break;
    }
    send_command(w, command);
}

INT_PTR WINAPI DialogBoxParamA(HINSTANCE, LPCSTR name, HWND owner, DLGPROC proc, LPARAM param)
{
    uintptr_t id = reinterpret_cast<uintptr_t>(name);
    const DialogResource *resource = id < 0x10000 ? find_dialog_resource(static_cast<int>(id)) : nullptr;
    if (!resource || !proc)
        return -1;

    int answer = preset_answer();
    bool on_screen = answer <= 0;
    if (on_screen && !have_display()) {
        fprintf(stderr,
                "lumivex: no display for the start-up dialog; run with LUMIVEX_DIALOG=start "
                "LUMIVEX_OUTPUT=offscreen to play the show without one\n");
        return -1;
    }

    DialogState state;
    dialog_layout(state, resource);
    HWND hwnd = create_window_with_proc(dialog_window_proc, resource->caption, resource->style, 0, 0,
                                        state.width, state.height, owner, nullptr);
    Window *w = find_window(hwnd);
    if (!w)
        return -1;
    w->dialog = &state;
    w->dialog_proc = proc;
    if (on_screen && !make_sdl_window(w, state)) {
        fprintf(stderr, "lumivex: cannot open the start-up dialog's window: %s\n", SDL_GetError());
        DestroyWindow(hwnd);
        return -1;
    }
    if (SendMessageA(hwnd, WM_INITDIALOG, 0, param))
        dialog_initial_focus(state);

    if (on_screen) {
        if (IsWindow(hwnd)) {
            ShowWindow(hwnd, SW_SHOWNORMAL);
            dialog_draw(state);
            SDL_RaiseWindow(w->sdl);
        }
        run_modal(hwnd);
        release_sdl_window(w, state);
    } else {
        send_command(w, answer);
        if (IsWindow(hwnd)) {
            // Nobody is there to give a second answer.
            fprintf(stderr, "lumivex: the dialog stayed open after LUMIVEX_DIALOG's answer\n");
            DestroyWindow(hwnd);
            w->dialog = nullptr;
            return -1;
        }
    }
    w->dialog = nullptr;
    return 0;
}
