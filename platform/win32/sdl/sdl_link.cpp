// sdl_link.cpp - SDL underneath our windows: video's start, the display's
// answers of display.h, message boxes, and the pump that hands SDL's events to
// the windows they belong to.
#include "sdl_link.h"

#include <SDL.h>

#include <cstdlib>
#include <cstring>
#include <deque>
#include <mutex>
#include <thread>

#include <win32_sdl.h>

#include "../queue.h"

namespace {

enum class Video { untried, up, failed };
Video video = Video::untried;
std::thread::id video_thread;

bool on_video_thread()
{
    return video == Video::up && std::this_thread::get_id() == video_thread;
}

// As the system destroys a session's windows when it ends: the main window's
// destruction ends the show, the dialog's ends the start-up.
void end_on_lost_display()
{
    static bool ended = false;
    if (ended)
        return;
    ended = true;
    for (size_t slot = 1; Window *w = window_in_slot(slot); ++slot)
        if (w->alive && (!w->owner || w->owner == GetDesktopWindow()) && !(w->style & WS_CHILD))
            DestroyWindow(w->handle);
}

// The live window behind this SDL window, or null.
Window *find_window_by_sdl(const SDL_Window *sdl)
{
    if (!sdl)
        return nullptr;
    for (size_t slot = 1; Window *w = window_in_slot(slot); ++slot)
        if (w->alive && w->host && w->host->sdl == sdl)
            return w;
    return nullptr;
}

// The queues' pump hook; it never starts video itself.
void pump_sdl_events()
{
    if (!on_video_thread())
        return;
    SDL_Event e;
    bool polled = false;
    while (on_display([&] { polled = SDL_PollEvent(&e); }) && polled) {
        unsigned int id = 0;
        if (e.type == SDL_WINDOWEVENT)
            id = e.window.windowID;
        else if (e.type == SDL_KEYDOWN || e.type == SDL_KEYUP)
            id = e.key.windowID;
        else if (e.type == SDL_MOUSEBUTTONDOWN || e.type == SDL_MOUSEBUTTONUP)
            id = e.button.windowID;
        else if (e.type == SDL_MOUSEMOTION)
            id = e.motion.windowID;
        Window *w = id ? find_window_by_sdl(SDL_GetWindowFromID(id)) : nullptr;
        if (w && w->host->event)
            w->host->event(w, e);
    }
    if (display_connection_lost())
        end_on_lost_display();
}

}  // namespace

HostWindow &host_of(Window *w)
{
    // Kept here, as the records are in window.cpp, so that both go together
    // at the end of the process.
    static std::deque<HostWindow> hosts;
    static std::mutex made;
    std::lock_guard<std::mutex> lock(made);
    if (!w->host)
        w->host = &hosts.emplace_back();
    return *w->host;
}

bool sdl_video_up()
{
    if (video == Video::untried) {
        // Ctrl+C in the terminal should end the program as it ends any other.
        SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
        video = SDL_InitSubSystem(SDL_INIT_VIDEO) == 0 ? Video::up : Video::failed;
        watch_display_errors();  // after SDL's start, which sets a hook of its own
        video_thread = std::this_thread::get_id();
        if (video == Video::up)
            set_pump_hook(pump_sdl_events);
    }
    return on_video_thread();
}

bool have_display()
{
    if (win32_display_lost())
        return false;
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
    return (SDL_GetModState() & KMOD_SHIFT) != 0;
}

DWORD display_ticks()
{
    return SDL_GetTicks();
}

void display_wait(int ms)
{
    if (!on_display([&] { SDL_WaitEventTimeout(nullptr, ms); }))
        SDL_Delay(ms);
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
    box.window = owner && owner->host ? owner->host->sdl : nullptr;
    box.title = caption;
    box.message = text;
    box.numbuttons = count;
    box.buttons = data;
    return SDL_ShowMessageBox(&box, pressed) == 0;
}

int win32_have_display(void)
{
    return have_display();
}
