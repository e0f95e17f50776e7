// environment.cpp - test support: clearing the settings, the offscreen set-up.
#include "environment.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

void clear_settings()
{
    std::vector<std::string> names;  // unsetting changes environ: collect first
    for (char **e = environ; *e; ++e)
        if (std::string(*e).starts_with("LUMIVEX_"))
            names.push_back(std::string(*e).substr(0, std::string(*e).find('=')));
    for (const std::string &name : names)
        unsetenv(name.c_str());
}

bool clears_settings(const std::vector<const char *> &names)
{
    for (const char *name : names)
        setenv(name, "1", 1);
    clear_settings();
    bool cleared = true;
    for (const char *name : names)
        if (std::getenv(name)) {
            std::fprintf(stderr, "the tests' clean environment leaves %s set\n", name);
            cleared = false;
        }
    return cleared;
}

void go_headless()
{
    unsetenv("DISPLAY");
    unsetenv("WAYLAND_DISPLAY");
    setenv("SDL_VIDEODRIVER", "dummy", 1);
}

void set_offscreen(bool paced)
{
    clear_settings();
    setenv("LUMIVEX_OUTPUT", "offscreen", 1);
    if (!paced)
        setenv("LUMIVEX_SWAP_INTERVAL", "0", 1);
}
