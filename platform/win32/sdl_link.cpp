// SDL underneath our windows.
#include "sdl_link.h"

#include <SDL.h>

#include <cstdlib>
#include <cstring>
#include <thread>

#include "dialog.h"
#include "keys.h"
#include "queue.h"
#include "window.h"

namespace {

enum class Video { untried, up, failed };
Video video = Video::untried;
std::thread::id video_thread;

bool on_video_thread()
{
    return video == Video::up && std::this_thread::get_id() == video_thread;
}

void post(Window *w, UINT message, WPARAM wParam, LPARAM lParam)
{
    MSG msg{};
    msg.hwnd = w->handle;
    msg.message = message;
    msg.wParam = wParam;
    msg.lParam = lParam;
    msg.time = SDL_GetTicks();
    post_to_queue(*w->queue, msg);
}

Window *event_window(unsigned int sdl_id)
{
    return sdl_id ? find_window_by_sdl(SDL_GetWindowFromID(sdl_id)) : nullptr;
}

void key_event(const SDL_KeyboardEvent &e)
{
    Window *w = event_window(e.windowID);
    if (!w)
        return;
    bool alt = (e.keysym.mod & KMOD_ALT) != 0;
    bool ctrl = (e.keysym.mod & KMOD_CTRL) != 0;
    KeyMessage k = key_message(e.keysym.scancode, e.type == SDL_KEYDOWN, e.repeat != 0, alt, ctrl);
    post(w, k.message, k.vk, k.lParam);
}

void window_event(const SDL_WindowEvent &e)
{
    Window *w = event_window(e.windowID);
    if (!w)
        return;
    switch (e.event) {
    case SDL_WINDOWEVENT_CLOSE:
        post(w, WM_CLOSE, 0, 0);
        break;
    case SDL_WINDOWEVENT_FOCUS_GAINED:
        activate_window(w);
        break;
    case SDL_WINDOWEVENT_FOCUS_LOST:
        deactivate_window(w);
        break;
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
    default:
        break;
    }
}

}  // namespace

bool sdl_video_up()
{
    if (video == Video::untried) {
        // Ctrl+C in the terminal should end the program as it ends any other.
        SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
        video = SDL_InitSubSystem(SDL_INIT_VIDEO) == 0 ? Video::up : Video::failed;
        video_thread = std::this_thread::get_id();
    }
    return on_video_thread();
}

bool have_display()
{
    // Without a display server to talk to, SDL would only probe and complain;
    // a driver named on purpose (SDL_VIDEODRIVER) is SDL's to judge.
    bool named = getenv("SDL_VIDEODRIVER") && *getenv("SDL_VIDEODRIVER");
    bool server = (getenv("DISPLAY") && *getenv("DISPLAY")) ||
                  (getenv("WAYLAND_DISPLAY") && *getenv("WAYLAND_DISPLAY"));
    if (!named && !server)
        return false;
    if (!sdl_video_up())
        return false;
    const char *driver = SDL_GetCurrentVideoDriver();
    return driver && strcmp(driver, "dummy") != 0 && strcmp(driver, "offscreen") != 0;
}

bool display_shift_held()
{
    return on_video_thread() && (SDL_GetModState() & KMOD_SHIFT) != 0;
}

DWORD display_ticks()
{
    return SDL_GetTicks();
}

void display_show_window(Window *w, bool shown)
{
    if (!w->sdl)
        return;
    if (shown) {
        SDL_ShowWindow(w->sdl);
        if (w->dialog)  // a modal dialog comes to the front
            SDL_RaiseWindow(w->sdl);
    } else
        SDL_HideWindow(w->sdl);
}

void display_wait(int ms)
{
    SDL_WaitEventTimeout(nullptr, ms);
}

bool display_message_box(Window *owner, const char *caption, const char *text, bool error,
                         const char *const *labels, int count, int *pressed)
{
    SDL_MessageBoxButtonData data[3];
    if (count > 3)
        return false;
    for (int i = 0; i < count; ++i) {
        data[i].flags = i == 0 ? SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT : 0;
        data[i].buttonid = i;
        data[i].text = labels[i];
    }
    SDL_MessageBoxData box{};
    box.flags = error ? SDL_MESSAGEBOX_ERROR : SDL_MESSAGEBOX_INFORMATION;
    box.window = owner ? owner->sdl : nullptr;
    box.title = caption;
    box.message = text;
    box.numbuttons = count;
    box.buttons = data;
    return SDL_ShowMessageBox(&box, pressed) == 0;
}

void pump_display_events()
{
    if (!on_video_thread())
        return;
    SDL_Event e;
    while (SDL_PollEvent(&e)) {
        unsigned int id = 0;
        if (e.type == SDL_WINDOWEVENT)
            id = e.window.windowID;
        else if (e.type == SDL_KEYDOWN || e.type == SDL_KEYUP)
            id = e.key.windowID;
        else if (e.type == SDL_MOUSEBUTTONDOWN || e.type == SDL_MOUSEBUTTONUP)
            id = e.button.windowID;
        else if (e.type == SDL_MOUSEMOTION)
            id = e.motion.windowID;
        Window *w = event_window(id);
        if (w && w->dialog) {
            dialog_sdl_event(w, e);
            continue;
        }
        if (e.type == SDL_KEYDOWN || e.type == SDL_KEYUP)
            key_event(e.key);
        else if (e.type == SDL_WINDOWEVENT)
            window_event(e.window);
    }
}

SDL_Window *win32_sdl_window(HWND hwnd)
{
    Window *w = find_window(hwnd);
    if (!w || w->dialog || !sdl_video_up())
        return nullptr;
    if (!w->sdl) {
        w->sdl = SDL_CreateWindow(w->title.c_str(), SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED,
                                  w->width, w->height, SDL_WINDOW_HIDDEN);
        if (w->sdl && w->visible)
            SDL_ShowWindow(w->sdl);
    }
    return w->sdl;
}

int win32_have_display(void)
{
    return have_display();
}
