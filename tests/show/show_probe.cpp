// show_probe - runs the show as program entry does (device up, run_show,
// device closed), without the main window and the dialog. The real pump
// dispatches one message a frame to a window of the probe's, which keeps one
// queued and is steered by the tests through the environment:
//   PROBE_KEY_IN_FRAME=n     the pump of frame n (counted from 0) dispatches a key
//   PROBE_REMOVE_MESHES_IN_FRAME=n  the pump of frame n removes pak/*.dat
//   PROBE_HEAP_IN_FRAME=n    the pump of frame n of every pass prints "heap BYTES" in use
// Prints "frames N" (the pumps that ran) at the end.
#include <malloc.h>
#include <stdio.h>
#include <stdlib.h>

#include "device/glidemain.h"
#include "pump/pump.h"
#include "show/show.h"

static long frames_pumped;
static long key_in_frame = -1;
static long remove_meshes_in_frame = -1;
static long heap_in_frame = -1;

static const long FRAMES_PER_PASS = 3600;

// Each frame's pump dispatches the one WM_USER queued here, which queues the next.
static LRESULT CALLBACK probe_window_proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_USER)
        return DefWindowProcA(hwnd, message, wParam, lParam);
    PostMessageA(hwnd, WM_USER, 0, 0);
    long frame = frames_pumped++;
    if (frame == key_in_frame)
        ++quit_requests;  // as the window procedure does for WM_KEYDOWN
    if (frame == remove_meshes_in_frame) {
        remove("pak/torus.dat");
        remove("pak/3dfx.dat");
        remove("pak/cube.dat");
    }
    if (frame % FRAMES_PER_PASS == heap_in_frame)
        printf("heap %zu\n", mallinfo2().uordblks);
    return 0;
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

    WNDCLASSA wc{};
    wc.lpfnWndProc = probe_window_proc;
    wc.lpszClassName = "ShowProbe";
    RegisterClassA(&wc);
    HWND pumped =
        CreateWindowExA(0, "ShowProbe", "", WS_OVERLAPPED, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    PostMessageA(pumped, WM_USER, 0, 0);

    voo_init();
    voo_open(nullptr);
    voo_set_render_state();
    run_show();
    voo_close();
    printf("frames %ld\n", frames_pumped);
    return 0;
}
