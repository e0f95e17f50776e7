// environment.cpp - test support: clearing the settings, the offscreen set-up.
#include "environment.h"

#include <unistd.h>

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

void set_offscreen(bool paced)
{
    clear_settings();
    setenv("LUMIVEX_OUTPUT", "offscreen", 1);
    if (!paced)
        setenv("LUMIVEX_SWAP_INTERVAL", "0", 1);
}
