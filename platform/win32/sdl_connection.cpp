// The display's connection, watched for its loss: watch_display_connection
// and display_connection_lost of sdl_link.h, which is not included here, as
// its Window is also X11's name for a window handle.
#include <SDL.h>
#include <SDL_syswm.h>
#include <dlfcn.h>
#include <poll.h>

#include <atomic>

#include <win32_sdl.h>

namespace {

// After the loss every request Xlib is asked to make prints a line, so
// nothing is asked of it again.
std::atomic<bool> lost{false};
int connection = -1;  // the connection's socket, once a window is on it

// Xlib's default for a connection that fails inside one of its calls prints
// a line and exits there, under the program's feet (SDL then spins, flooding
// stderr, on the way out of the full screen). Here it is only noted; the
// next pump ends the program its own way. Returning from both hooks makes
// Xlib give the connection up instead of exiting.
int connection_broken(Display *)
{
    lost = true;
    return 0;
}
void connection_given_up(Display *, void *) {}

}  // namespace

void watch_display_connection(SDL_Window *window)
{
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (connection >= 0 || !SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11)
        return;
    // The Xlib that SDL loaded; one older than 1.7 keeps its own ways.
    void *xlib = dlopen("libX11.so.6", RTLD_NOW | RTLD_NOLOAD);
    using OnError = void *(*)(int (*)(Display *));
    using OnExit = void (*)(Display *, void (*)(Display *, void *), void *);
    using Socket = int (*)(Display *);
    auto on_error = reinterpret_cast<OnError>(xlib ? dlsym(xlib, "XSetIOErrorHandler") : nullptr);
    auto on_exit = reinterpret_cast<OnExit>(xlib ? dlsym(xlib, "XSetIOErrorExitHandler") : nullptr);
    auto socket = reinterpret_cast<Socket>(xlib ? dlsym(xlib, "XConnectionNumber") : nullptr);
    if (!on_error || !on_exit || !socket)
        return;
    on_error(connection_broken);
    on_exit(info.info.x11.display, connection_given_up, nullptr);
    connection = socket(info.info.x11.display);
}

bool display_connection_lost()
{
    // The server's end closed: seen here first, before a call into Xlib runs
    // into it.
    pollfd p = {connection, POLLIN | POLLRDHUP, 0};
    if (!lost && connection >= 0 && poll(&p, 1, 0) > 0 && (p.revents & (POLLHUP | POLLRDHUP | POLLERR)))
        lost = true;
    return lost;
}

int win32_display_lost(void)
{
    return lost;
}
