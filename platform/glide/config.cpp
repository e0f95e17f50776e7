// config.cpp - the table of our Glide's settings and their reading.
#include "config.h"

#include "platform/common/echoed.h"
#include "platform/common/word_place.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <set>
#include <string>
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

// Whether text is a value of the setting; its value in *value.
static bool parse(const Setting &s, const char *text, SettingValue *value)
{
    value->text = text;
    switch (s.kind) {
    case SettingKind::WORDS: return (value->integer = word_place(s.words, text)) >= 0;
    case SettingKind::INTEGER: {
        const char *end = text;
        return parse_number(&end, &value->integer) && *end == '\0' && value->integer >= (int64_t)s.lo &&
               value->integer <= (int64_t)s.hi;
    }
    case SettingKind::NUMBER: {
        char *end = nullptr;
        value->number = std::strtof(text, &end);
        return *end == '\0' && value->number >= (float)s.lo && value->number <= (float)s.hi;
    }
    case SettingKind::FRAMES: return parse_frame_list(text, &value->frames);
    case SettingKind::TEXT: return true;
    }
    return false;
}

// Each thread draws its own bands of the screen; beyond eight the bands are
// too few to share well. A web page draws on its one thread: more would need
// shared memory, which needs special server headers.
#ifdef __EMSCRIPTEN__
static constexpr unsigned MOST_THREADS = 1;
#else
static constexpr unsigned MOST_THREADS = 64;
#endif
static int default_threads()
{
    const unsigned n = std::min({std::thread::hardware_concurrency(), 8u, MOST_THREADS});
    return n < 1 ? 1 : (int)n;
}

const Setting glide_settings[] = {
    {"LUMIVEX_OUTPUT", SettingKind::WORDS, "fullscreen window offscreen", 0, 0, "fullscreen",
     "where the show is shown: the whole screen, a window, or no display",
     [](GlideConfig &c, const SettingValue &v) { c.output = (Output)v.integer; }},
    {"LUMIVEX_SCALE", SettingKind::INTEGER, nullptr, 1, 8, "1", "the window's size factor",
     [](GlideConfig &c, const SettingValue &v) { c.scale = (int)v.integer; }},
    {"LUMIVEX_SWAP_INTERVAL", SettingKind::INTEGER, nullptr, 0, 60, "the program's interval",
     "retraces per frame for every grBufferSwap; 0 shows at once",
     [](GlideConfig &c, const SettingValue &v) { c.swap_interval = (int)v.integer; }},
    {"LUMIVEX_TRACE", SettingKind::TEXT, nullptr, 0, 0, "no log", "the file for the log of every call",
     [](GlideConfig &c, const SettingValue &v) { c.trace_path = v.text; }},
    {"LUMIVEX_TRACE_FRAMES", SettingKind::FRAMES, nullptr, 0, 0, "every frame",
     "the frames whose triangles the log keeps",
     [](GlideConfig &c, const SettingValue &v) { c.trace_frames = v.frames; }},
    {"LUMIVEX_DUMP_DIR", SettingKind::TEXT, nullptr, 0, 0, "none", "the directory for frame-NNNNNN.png",
     [](GlideConfig &c, const SettingValue &v) { c.dump_dir = v.text; }},
    {"LUMIVEX_DUMP_FRAMES", SettingKind::FRAMES, nullptr, 0, 0, "no frame", "the frames written there",
     [](GlideConfig &c, const SettingValue &v) { c.dump_frames = v.frames; }},
    {"LUMIVEX_CAPTURE", SettingKind::TEXT, nullptr, 0, 0, "none",
     "a video file of every shown frame, .mkv or .mp4",
     [](GlideConfig &c, const SettingValue &v) { c.capture_path = v.text; }},
    {"LUMIVEX_KEY_AT_FRAME", SettingKind::INTEGER, nullptr, 0, 999999999999, "none: no key will be pressed",
     "after the swap of this frame, a key press is posted",
     [](GlideConfig &c, const SettingValue &v) { c.key_at_frame = v.integer; }},
    {"LUMIVEX_BOARDS", SettingKind::INTEGER, nullptr, 0, 1, "1", "0: the hardware query finds no board",
     [](GlideConfig &c, const SettingValue &v) { c.boards = (int)v.integer; }},
    {"LUMIVEX_FAIL_OPEN", SettingKind::INTEGER, nullptr, 0, 1, "0", "1: grSstWinOpen fails",
     [](GlideConfig &c, const SettingValue &v) { c.fail_open = v.integer != 0; }},
    {"LUMIVEX_THREADS", SettingKind::INTEGER, nullptr, 1, MOST_THREADS, nullptr,
     "threads that draw (default: the cores, at most 8)",
     [](GlideConfig &c, const SettingValue &v) { c.threads = (int)v.integer; }},
    {"LUMIVEX_FILTER", SettingKind::WORDS, "none card", 0, 0, "none", "the boards' video filter, or none",
     [](GlideConfig &c, const SettingValue &v) { c.card_filter = v.integer == 1; }},
    {"LUMIVEX_GAMMA", SettingKind::NUMBER, nullptr, 0.2, 5, "1.0", "the colour lookup's gamma",
     [](GlideConfig &c, const SettingValue &v) { c.gamma = v.number; }},
    {"LUMIVEX_RESOLUTION", SettingKind::INTEGER, nullptr, 1, 4, "1", "frames drawn at 1 to 4 times 640x480",
     [](GlideConfig &c, const SettingValue &v) { c.resolution = (int)v.integer; }},
    {"LUMIVEX_COLOUR", SettingKind::WORDS, "16 32", 0, 0, "16", "16: dithered RGB565; 32: 8 bits a channel",
     [](GlideConfig &c, const SettingValue &v) { c.true_colour = v.integer == 1; }},
};
const size_t glide_setting_count = std::size(glide_settings);

GlideConfig read_config()
{
    GlideConfig c;
    c.threads = default_threads();
    const std::string threads_text = std::to_string(c.threads);
    for (const Setting &s : glide_settings) {
        const char *text = std::getenv(s.name);
        if (!text || !*text)
            continue;  // unset or empty
        SettingValue value;
        if (parse(s, text, &value))
            s.store(c, value);
        else
            report(s.name, text, s.fallback ? s.fallback : threads_text.c_str());
    }
    return c;
}
