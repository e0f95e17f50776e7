// ours.cpp - compare_ours, our side of the side-by-side benchmark (frames.h): the show's
// own torus effect on the show's device, offscreen and unpaced, its frames
// timed from pump to pump. The end of a frame swaps, clears for the next and
// waits until both are done, so a lap is a clear, a frame's triangles and the
// swap that finishes its pixels. LUMIVEX_THREADS says how many threads draw.
#include <stdlib.h>

#include <lumivex_glide.h>

#include "device/glidemain.h"
#include "frames.h"
#include "pump/pump.h"
#include "show/effects.h"

static CompareRun run;

static void on_frame(long)
{
    lap(run);
    // Raised in the second-to-last frame, the quit ends the effect after the last.
    if (run.ms.size() == (size_t)(WARM_UP + run.frames - 1))
        ++quit_requests;
}

int main(int argc, char **argv)
{
    if (!parse_run(argc, argv, run))
        return 2;
    setenv("LUMIVEX_OUTPUT", "offscreen", 0);
    setenv("LUMIVEX_SWAP_INTERVAL", "0", 0);
    torus_mesh = load_torus();
    if (!torus_mesh)
        return 1;
    call_each_frame(on_frame);
    voo_init();
    voo_open(nullptr);
    voo_set_render_state();
    start_laps(run);
    torus_effect();
    lap(run);
    int status = finish_run(run, lumivex::glide_colour_buffer(GR_BUFFER_FRONTBUFFER).rgb565, false);
    voo_close();
    return status;
}
