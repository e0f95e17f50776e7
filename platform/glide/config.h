// config.h - how our Glide is configured: environment variables, read when
// Glide is initialised, as accelerator drivers of the time were configured.
// Every setting is a row of glide_settings (config.cpp): its name, what it
// takes, its default and its meaning; the rows drive the reading. A bad value
// is reported on stderr in one line naming the variable, and the default is
// used.
//
// The filter and the gamma change only what the screen shows (window, full
// screen, dumps, capture), never what is drawn or traced. At a higher
// resolution the program still sees a 640x480 screen: the device scales what
// it is given. In 32-bit colour the pixels keep the 8 bits a channel they are
// computed in, undithered; the card's filter, which is there to melt the
// dither, leaves such a buffer as it was drawn.
#ifndef LUMIVEX_GLIDE_CONFIG_H
#define LUMIVEX_GLIDE_CONFIG_H

#include <cstdint>
#include <string>
#include <vector>

// A list of frame numbers and ranges, "0,157,720-729".
struct FrameList {
    struct Range {
        int64_t first, last;
    };
    std::vector<Range> ranges;

    bool contains(int64_t frame) const;
};

// Parses text into list; false (list untouched) when the text is not a list.
bool parse_frame_list(const char *text, FrameList *list);

enum class Output { FULLSCREEN, WINDOW, OFFSCREEN };

struct GlideConfig {
    Output output = Output::FULLSCREEN;
    int scale = 1;
    int swap_interval = -1;  // -1: the caller's
    std::string trace_path;
    FrameList trace_frames;  // empty: every frame
    std::string dump_dir;
    FrameList dump_frames;
    std::string capture_path;
    int64_t key_at_frame = -1;  // -1: never
    int boards = 1;
    bool fail_open = false;
    int threads = 1;
    bool card_filter = false;
    float gamma = 1.0f;
    int resolution = 1;
    bool true_colour = false;  // LUMIVEX_COLOUR=32
};

// What a setting's text is read as.
enum class SettingKind {
    WORDS,    // one of its words, in any case
    INTEGER,  // a whole decimal number from lo to hi
    NUMBER,   // a decimal number from lo to hi
    FRAMES,   // a frame list
    TEXT,     // a path, as it stands
};

// A setting's value once read: the word's place among the words, the
// number, the list or the text.
struct SettingValue {
    int64_t integer = 0;
    float number = 0;
    FrameList frames;
    const char *text = nullptr;
};

struct Setting {
    const char *name;
    SettingKind kind;
    const char *words;     // WORDS: ' ' between them
    double lo, hi;         // INTEGER and NUMBER
    const char *fallback;  // the default, as a bad value's report names it; null: the machine's
    const char *meaning;
    void (*store)(GlideConfig &, const SettingValue &);
};

// Every setting our Glide reads, in the order it reads them.
extern const Setting glide_settings[];
extern const size_t glide_setting_count;

// Reads the variables now.
GlideConfig read_config();

// The configuration in force, read by grGlideInit (or by the first call
// logged before it; see trace.h).
extern GlideConfig glide_config;

#endif
