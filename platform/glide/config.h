// config.h - how our Glide is configured: environment variables, read when
// Glide is initialised, as accelerator drivers of the time were configured.
// A bad value is reported on stderr in one line naming the variable, and the
// default is used.
//
//   LUMIVEX_OUTPUT         fullscreen (default) | window | offscreen
//   LUMIVEX_SCALE          window size factor, 1 to 8 (default 1)
//   LUMIVEX_SWAP_INTERVAL  overrides every grBufferSwap's interval; 0 shows at once
//   LUMIVEX_TRACE          file for the call log
//   LUMIVEX_TRACE_FRAMES   frames whose triangles the log keeps (default all)
//   LUMIVEX_DUMP_DIR       directory for frame-NNNNNN.png
//   LUMIVEX_DUMP_FRAMES    frames written there, e.g. 0,157,720-729
//   LUMIVEX_CAPTURE        video file of every shown frame, .mkv or .mp4
//   LUMIVEX_KEY_AT_FRAME   after the swap of this frame, a key press is posted
//   LUMIVEX_BOARDS         0: the hardware query finds no board
//   LUMIVEX_FAIL_OPEN      1: grSstWinOpen fails
//   LUMIVEX_THREADS        threads that draw, 1 to 64 (default: the cores, at most 8)
//   LUMIVEX_FILTER         none (default) | card: the boards' video filter
//   LUMIVEX_GAMMA          the colour lookup's gamma, 0.2 to 5 (default 1)
//   LUMIVEX_RESOLUTION     frames drawn at 1 to 4 times 640x480 (default 1)
//   LUMIVEX_COLOUR         16 (default): dithered RGB565 | 32: 8 bits a channel
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
    bool trace_all_frames = true;
    FrameList trace_frames;
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

// Reads the variables now.
GlideConfig read_config();

// The configuration in force, read by grGlideInit (or by the first call
// logged before it; see trace.h).
extern GlideConfig glide_config;

// A setting's value as a report shows it: quoted, and cut to its first 60
// characters and "..." when longer.
std::string echoed(const char *value);

#endif
