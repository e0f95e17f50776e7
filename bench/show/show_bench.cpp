// show_bench - one whole pass of the show (3600 frames) through the real code
// path, offscreen and unpaced unless the environment says otherwise; prints
// frames per second and the median and worst frame time. Run it from the
// source root, where pak/ is. A frame's time runs from one pump to the next,
// so the first frame of each effect includes loading its texture, and frame 0
// loading the meshes.
#include <stdio.h>
#include <stdlib.h>

#include <algorithm>
#include <chrono>
#include <vector>

#include "app/shell.h"
#include "device/glidemain.h"
#include "show/show.h"

LONG quit_requests;
LONG start_requests;

static const size_t PASS_FRAMES = 3600;

using Clock = std::chrono::steady_clock;
static std::vector<double> frame_ms;
static Clock::time_point frame_start;

static void end_frame_timing()
{
    Clock::time_point now = Clock::now();
    frame_ms.push_back(std::chrono::duration<double, std::milli>(now - frame_start).count());
    frame_start = now;
}

int dispatch_one_message()
{
    end_frame_timing();
    // A key in the second-to-last frame: the pass ends after its last frame.
    if (frame_ms.size() == PASS_FRAMES - 1)
        ++quit_requests;
    return 0;
}

int main()
{
    setenv("LUMIVEX_OUTPUT", "offscreen", 0);
    setenv("LUMIVEX_SWAP_INTERVAL", "0", 0);
    frame_ms.reserve(PASS_FRAMES);

    voo_init();
    voo_open(nullptr);
    voo_set_render_state();
    Clock::time_point start = Clock::now();
    frame_start = start;
    run_show();
    end_frame_timing();
    double total_s = std::chrono::duration<double>(Clock::now() - start).count();
    voo_close();

    if (frame_ms.size() != PASS_FRAMES) {
        fprintf(stderr, "show_bench: the show ran %zu frames, not %zu (is pak/ here?)\n", frame_ms.size(),
                PASS_FRAMES);
        return 1;
    }
    std::vector<double> sorted = frame_ms;
    std::sort(sorted.begin(), sorted.end());
    double median = (sorted[PASS_FRAMES / 2 - 1] + sorted[PASS_FRAMES / 2]) / 2;
    size_t worst = std::max_element(frame_ms.begin(), frame_ms.end()) - frame_ms.begin();
    printf("frames %zu in %.3f s: %.1f frames/s\n", PASS_FRAMES, total_s, PASS_FRAMES / total_s);
    printf("frame time: median %.3f ms, 99th percentile %.3f ms, worst %.3f ms (frame %zu)\n", median,
           sorted[PASS_FRAMES * 99 / 100], frame_ms[worst], worst);
    // The worst frame that does not start an effect (0, 720, 1440 load data).
    double steady_worst = 0;
    for (size_t f = 0; f < PASS_FRAMES; ++f)
        if (f != 0 && f != 720 && f != 1440)
            steady_worst = std::max(steady_worst, frame_ms[f]);
    printf("worst frame that loads nothing: %.3f ms\n", steady_worst);
    return 0;
}
