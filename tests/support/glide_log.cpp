// glide_log.cpp - the log of our Glide calls a test reads back; see glide_log.h.
#include "glide_log.h"

#include <glide.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>

#include "environment.h"

// One log a process (a death test's child is another), removed at its end.
static const std::string LOG =
    std::string(LUMIVEX_BINARY_DIR) + "/glide_log_" + std::to_string(getpid()) + ".txt";

static struct Offscreen {
    Offscreen()
    {
        set_offscreen(true);
        setenv("LUMIVEX_TRACE", LOG.c_str(), 1);
    }
    ~Offscreen() { std::remove(LOG.c_str()); }
} offscreen;

std::vector<std::string> glide_calls()
{
    static bool started = false;
    static size_t seen = 0;
    if (!started)
        grSstIdle();  // triangles alone do not start the log; this call does
    std::ifstream in(LOG);
    std::vector<std::string> lines;
    size_t n = 0;
    for (std::string line; std::getline(in, line);)
        if (n++ >= seen)
            lines.push_back(line);
    seen = n;
    if (!started) {  // the first look sees nothing
        started = true;
        lines.clear();
    }
    return lines;
}
