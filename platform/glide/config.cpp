// config.cpp - reads the LUMIVEX_ variables; see config.h.
#include "config.h"

#include "platform/common/echoed.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <set>
#include <string>
#include <strings.h>
#include <thread>

GlideConfig glide_config;

bool FrameList::contains(int64_t frame) const
{
    for (const Range &r : ranges)
        if (frame >= r.first && frame <= r.last)
            return true;
    return false;
}

// A decimal number of at most 12 digits at *p; advances p past it.
static bool parse_number(const char **p, int64_t *value)
{
    const char *s = *p;
    int64_t v = 0;
    int digits = 0;
    while (*s >= '0' && *s <= '9') {
        if (++digits > 12)
            return false;
        v = v * 10 + (*s++ - '0');
    }
    if (digits == 0)
        return false;
    *p = s;
    *value = v;
    return true;
}

bool parse_frame_list(const char *text, FrameList *list)
{
    FrameList parsed;
    const char *p = text;
    for (;;) {
        FrameList::Range r;
        if (!parse_number(&p, &r.first))
            return false;
        r.last = r.first;
        if (*p == '-') {
            ++p;
            if (!parse_number(&p, &r.last) || r.last < r.first)
                return false;
        }
        parsed.ranges.push_back(r);
        if (*p == '\0')
            break;
        if (*p++ != ',')
            return false;
    }
    *list = parsed;
    return true;
}

// The configuration is read more than once a run (a Glide call before
// grGlideInit reads it too), but each bad value is told once.
static void report(const char *name, const char *value, const char *fallback)
{
    static std::set<std::string> told;
    if (!told.insert(std::string(name) + '=' + value).second)
        return;
    std::fprintf(stderr, "lumivex glide: %s=%s is not valid; using %s\n", name, echoed(value).c_str(),
                 fallback);
}

// The variable's value, or null when it is unset or empty.
static const char *variable(const char *name)
{
    const char *v = std::getenv(name);
    return v && *v ? v : nullptr;
}

// A whole decimal number from lo to hi.
static bool parse_int(const char *text, int64_t lo, int64_t hi, int64_t *value)
{
    const char *p = text;
    int64_t v;
    if (!parse_number(&p, &v) || *p != '\0' || v < lo || v > hi)
        return false;
    *value = v;
    return true;
}

static void read_int(const char *name, int64_t lo, int64_t hi, const char *fallback, int64_t *value)
{
    const char *text = variable(name);
    if (text && !parse_int(text, lo, hi, value))
        report(name, text, fallback);
}

// Whether the variable set the list.
static bool read_frames(const char *name, const char *fallback, FrameList *list)
{
    const char *text = variable(name);
    if (!text)
        return false;
    if (parse_frame_list(text, list))
        return true;
    report(name, text, fallback);
    return false;
}

GlideConfig read_config()
{
    GlideConfig c;

    if (const char *text = variable("LUMIVEX_OUTPUT")) {
        if (strcasecmp(text, "fullscreen") == 0)
            c.output = Output::FULLSCREEN;
        else if (strcasecmp(text, "window") == 0)
            c.output = Output::WINDOW;
        else if (strcasecmp(text, "offscreen") == 0)
            c.output = Output::OFFSCREEN;
        else
            report("LUMIVEX_OUTPUT", text, "fullscreen");
    }

    int64_t v = c.scale;
    read_int("LUMIVEX_SCALE", 1, 8, "1", &v);
    c.scale = (int)v;

    v = c.swap_interval;
    read_int("LUMIVEX_SWAP_INTERVAL", 0, 60, "the program's interval", &v);
    c.swap_interval = (int)v;

    if (const char *text = variable("LUMIVEX_TRACE"))
        c.trace_path = text;
    c.trace_all_frames = !read_frames("LUMIVEX_TRACE_FRAMES", "every frame", &c.trace_frames);

    if (const char *text = variable("LUMIVEX_DUMP_DIR"))
        c.dump_dir = text;
    read_frames("LUMIVEX_DUMP_FRAMES", "no frame", &c.dump_frames);

    if (const char *text = variable("LUMIVEX_CAPTURE"))
        c.capture_path = text;

    read_int("LUMIVEX_KEY_AT_FRAME", 0, 999999999999, "none: no key will be pressed", &c.key_at_frame);

    v = c.boards;
    read_int("LUMIVEX_BOARDS", 0, 1, "1", &v);
    c.boards = (int)v;

    v = c.fail_open;
    read_int("LUMIVEX_FAIL_OPEN", 0, 1, "0", &v);
    c.fail_open = v != 0;

    // Each thread draws its own bands of the screen; beyond eight the bands
    // are too few to share well. A web page draws on its one thread: more
    // would need shared memory, which needs special server headers.
#ifdef __EMSCRIPTEN__
    const unsigned cores = 1, most = 1;
#else
    const unsigned cores = std::thread::hardware_concurrency(), most = 64;
#endif
    v = cores < 1 ? 1 : cores > 8 ? 8 : cores;
    const std::string cores_text = std::to_string(v);
    read_int("LUMIVEX_THREADS", 1, most, cores_text.c_str(), &v);
    c.threads = (int)v;

    if (const char *text = variable("LUMIVEX_FILTER")) {
        if (strcasecmp(text, "card") == 0)
            c.card_filter = true;
        else if (strcasecmp(text, "none") != 0)
            report("LUMIVEX_FILTER", text, "none");
    }

    if (const char *text = variable("LUMIVEX_GAMMA")) {
        char *end = nullptr;
        float g = std::strtof(text, &end);
        if (*end == '\0' && g >= 0.2f && g <= 5.0f)
            c.gamma = g;
        else
            report("LUMIVEX_GAMMA", text, "1.0");
    }

    v = c.resolution;
    read_int("LUMIVEX_RESOLUTION", 1, 4, "1", &v);
    c.resolution = (int)v;

    if (const char *text = variable("LUMIVEX_COLOUR")) {
        if (std::strcmp(text, "32") == 0)
            c.true_colour = true;
        else if (std::strcmp(text, "16") != 0)
            report("LUMIVEX_COLOUR", text, "16");
    }

    return c;
}
