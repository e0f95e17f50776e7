// swap.cpp - grBufferSwap: pacing against the display's retraces, the flip,
// presenting, frame dumps and the scripted key press.
//
// The display is a 60 Hz clock whose retrace k falls at epoch + k/60 s, each
// time computed from k itself so that nothing accumulates. A swap with
// interval n shows its frame on the retrace n after the previous swap's: two
// gives exactly 30 frames a second whatever the host's own display does. A
// frame finished after its retrace has passed waits for the next one, as the
// hardware did; it does not try to catch up.
#include "bands.h"
#include "capture.h"
#include "device.h"
#include "host.h"
#include "picture.h"
#include "png.h"
#include "progress.h"
#include "trace.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>

static const int64_t RETRACES_PER_SECOND = 60;

static int64_t retrace_time(int64_t k)
{
    return glide.epoch + k / RETRACES_PER_SECOND * NS_PER_SECOND +
           k % RETRACES_PER_SECOND * NS_PER_SECOND / RETRACES_PER_SECOND;
}

// The last retrace at or before time t.
static int64_t retrace_at(int64_t t)
{
    int64_t since = t - glide.epoch;
    if (since < 0)
        return -1;
    int64_t k = since / NS_PER_SECOND * RETRACES_PER_SECOND +
                since % NS_PER_SECOND * RETRACES_PER_SECOND / NS_PER_SECOND;
    while (retrace_time(k + 1) <= t)
        ++k;  // rounding of the second form
    while (k > 0 && retrace_time(k) > t)
        --k;
    return k;
}

// Waits for the retrace that shows a frame swapped with the interval.
static void wait_for_retrace(int interval)
{
    lumivex::GlideClock &clock = glide_clock();
    int64_t now = clock.now();
    if (interval <= 0) {
        glide.last_retrace = retrace_at(now);
        return;
    }
    int64_t target = glide.last_retrace + interval;
    if (retrace_time(target) < now)
        target = retrace_at(now) + 1;
    clock.sleep_until(retrace_time(target));
    glide.last_retrace = target;
}

static void dump_frame(int64_t frame, const uint32_t *picture)
{
    // A folder that cannot be written fails every frame alike: told once.
    static bool told = false;
    std::error_code made;
    std::filesystem::create_directories(glide_config.dump_dir, made);
    char name[32];
    std::snprintf(name, sizeof name, "frame-%06lld.png", (long long)frame);
    std::string path = glide_config.dump_dir;
    if (!path.empty() && path.back() != '/' && path.back() != '\\')
        path += '/';
    path += name;
    // Written under another name and renamed when whole, so that a full disk
    // or a kill never leaves a broken frame under the frame's own name.
    std::string part = path + ".part";
    errno = 0;
    std::error_code renamed;
    if (write_png(part.c_str(), picture, glide.width, glide.height)) {
        std::filesystem::rename(part, path, renamed);
        if (!renamed)
            return;
    }
    int error = errno;
    std::error_code ignored;
    std::filesystem::remove(part, ignored);
    host_output_failed();
    if (told)
        return;
    told = true;
    std::string why = made      ? made.message()
                      : renamed ? renamed.message()
                      : error   ? std::strerror(error)
                                : "the write failed";
    std::fprintf(stderr, "lumivex glide: LUMIVEX_DUMP_DIR: cannot write %s (%s); the show goes on\n",
                 path.c_str(), why.c_str());
}

void FX_CALL grBufferSwap(int swap_interval)
{
    trace_call("grBufferSwap", {swap_interval});
    // After a failed open (its report ignored) there is nothing to show, but
    // the frames keep their pace and their count, so a program that runs on
    // still ends with its key.
    if (!glide.open && !glide.open_failed)
        return;
    bands_finish();
    int interval = glide_config.swap_interval >= 0 ? glide_config.swap_interval : swap_interval;
    wait_for_retrace(interval);
    const int64_t frame = glide.frames_shown++;
    if (glide.open) {
        if (glide.colour_buffers == 2)
            glide.front ^= 1;
        // The picture is made only for those who look at it: offscreen, only
        // a dump or a capture does.
        bool dump = !glide_config.dump_dir.empty() && glide_config.dump_frames.contains(frame);
        bool captured = !glide_config.capture_path.empty();
        if (glide.presenter) {
            // Made in the presenter's order, straight into its memory where
            // it offers it.
            const uint32_t *shown = shown_picture(glide.presenter->frame_memory(glide.width, glide.height),
                                                  glide.presenter->pixel_order());
            glide.presenter->present(shown, glide.width, glide.height);
        }
        if (dump || captured) {
            const uint32_t *shown = shown_picture();
            if (dump)
                dump_frame(frame, shown);
            capture_frame(shown);
        }
        progress_frames(glide.frames_shown);
    }
    if (frame == glide_config.key_at_frame && glide.hwnd)
        host_post_key(glide.hwnd);
    if (glide.open)
        trace_frame(true, glide.frames_shown);
}
