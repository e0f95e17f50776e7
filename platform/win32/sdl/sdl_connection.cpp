// sdl_connection.cpp - the display's connection, watched for its loss:
// watch_display_errors, watch_display_connection and display_connection_lost
// of sdl_link.h, which is not included here, as its Window is also X11's name
// for a window handle.
#include <SDL.h>
#include <SDL_syswm.h>
#include <dlfcn.h>
#include <poll.h>

#include <atomic>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <win32_exit.h>
#include <win32_sdl.h>

namespace {

std::atomic<bool> lost{false};
int connection = -1;            // the connection's socket, once a window is on it
std::jmp_buf *guard = nullptr;  // where the display call under way gives up

void say_lost()
{
    static std::atomic<bool> told{false};
    if (told.exchange(true))
        return;
    win32_exit_status_at_least(WIN32_EXIT_DISPLAY_LOST);
    const char *name = getenv("DISPLAY");
    fprintf(stderr, "lumivex: the connection to the display %s is lost; the program ends\n",
            name ? name : "");
}

// Xlib's default for a connection that fails inside one of its calls prints
// a line and exits with 1, a data file's status; nor may anything ask Xlib
// for more after it (the next request crashes). Most losses are seen before
// a call runs into them (display_connection_lost). One that a display call
// runs into gives the call up: nothing of Xlib or SDL's video runs again, so
// what they leave half done does not matter, and the program ends through
// its windows as for any loss. Outside a display call (the windows' making)
// it ends the program here, with the status of a lost display; the exit
// handlers finish the files (the capture's, the trace's buffer).
int connection_broken(Display *)
{
    lost = true;
    say_lost();
    if (guard)
        std::longjmp(*guard, 1);
    exit(WIN32_EXIT_DISPLAY_LOST);
}

// The Xlib that SDL loaded, when SDL's display is X11's.
void *xlib_symbol(const char *name)
{
    const char *driver = SDL_GetCurrentVideoDriver();
    void *xlib =
        driver && strcmp(driver, "x11") == 0 ? dlopen("libX11.so.6", RTLD_NOW | RTLD_NOLOAD) : nullptr;
    return xlib ? dlsym(xlib, name) : nullptr;
}

}  // namespace

void watch_display_errors()
{
    using OnError = void *(*)(int (*)(Display *));
    if (auto on_error = reinterpret_cast<OnError>(xlib_symbol("XSetIOErrorHandler")))
        on_error(connection_broken);
}

void watch_display_connection(SDL_Window *window)
{
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (connection >= 0 || !SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11)
        return;
    using Socket = int (*)(Display *);
    if (auto socket = reinterpret_cast<Socket>(xlib_symbol("XConnectionNumber")))
        connection = socket(info.info.x11.display);
}

bool display_connection_lost()
{
    // The server's end closed: seen here, before a call into Xlib runs into it.
    pollfd p = {connection, POLLIN | POLLRDHUP, 0};
    if (!lost && connection >= 0 && poll(&p, 1, 0) > 0 && (p.revents & (POLLHUP | POLLRDHUP | POLLERR)))
        lost = true;
    if (lost)
        say_lost();
    return lost;
}

int win32_display_lost(void)
{
    return display_connection_lost();
}

int win32_display_call(void (*call)(void *), void *data)
{
    if (display_connection_lost())
        return 0;
    std::jmp_buf here;
    std::jmp_buf *outer = guard;
    if (setjmp(here) != 0) {
        guard = outer;
        return 0;
    }
    guard = &here;
    call(data);
    guard = outer;
    return 1;
}
