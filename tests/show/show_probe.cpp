// show_probe.cpp - runs the show as program entry does (device up,
// run_show, device closed), without the main window and the dialog. The real
// pump calls the probe once a frame, steered by the tests through the environment:
//   PROBE_KEY_IN_FRAME=n     the pump of frame n (counted from 0) dispatches a key
//   PROBE_REMOVE_MESHES_IN_FRAME=n  the pump of frame n removes pak/*.dat
//   PROBE_HEAP_IN_FRAME=n    the pump of frame n of every pass prints "heap BYTES" in use
#include <malloc.h>
#include <stdio.h>
#include <stdlib.h>

#include "pump/pump.h"
#include "show/show.h"

static long key_in_frame = -1;
static long remove_meshes_in_frame = -1;
static long heap_in_frame = -1;

static const long FRAMES_PER_PASS = 3600;

static void steer(long frame)
{
    if (frame == key_in_frame)
        ++quit_requests;  // as the window procedure does for WM_KEYDOWN
    if (frame == remove_meshes_in_frame) {
        remove("pak/torus.dat");
        remove("pak/3dfx.dat");
        remove("pak/cube.dat");
    }
    if (frame % FRAMES_PER_PASS == heap_in_frame)
        printf("heap %zu\n", mallinfo2().uordblks);
}

static long env_number(const char *name)
{
    const char *value = getenv(name);
    return value ? atol(value) : -1;
}

int main()
{
    key_in_frame = env_number("PROBE_KEY_IN_FRAME");
    remove_meshes_in_frame = env_number("PROBE_REMOVE_MESHES_IN_FRAME");
    heap_in_frame = env_number("PROBE_HEAP_IN_FRAME");
    // Unbuffered, so that printing allocates nothing between heap readings.
    setvbuf(stdout, nullptr, _IONBF, 0);
    call_each_frame(steer);
    play_show(nullptr);
    return 0;
}
