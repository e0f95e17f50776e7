// capture_load.cpp - the capture on Linux: the encoder module
// (capture_module.h), opened when a capture starts and kept for the rest of the run. It is found
// on the program's library path: the build folder, or the installed
// program's own library folder.
#include "../capture.h"
#include "capture_module.h"
#include "../host.h"

#include <dlfcn.h>

#include <cstdio>
#include <cstdlib>
#include <utility>

static CaptureSink *capture = nullptr;

void capture_start(const char *path, int width, int height)
{
    capture_finish();
    static void *module = nullptr;
    if (!module)
        module = dlopen(LUMIVEX_CAPTURE_MODULE, RTLD_NOW | RTLD_LOCAL);
    void *entry = module ? dlsym(module, "lumivex_capture_open") : nullptr;
    if (!entry) {
        host_output_failed();
        std::fprintf(stderr, "lumivex glide: LUMIVEX_CAPTURE: cannot load the encoder (%s); no capture\n",
                     dlerror());
        return;
    }
    capture = reinterpret_cast<decltype(&lumivex_capture_open)>(entry)(path, width, height);
    if (!capture) {
        host_output_failed();
        return;
    }
    // A program that exits without closing the device still gets its file.
    [[maybe_unused]] static bool hooked = std::atexit(capture_finish) == 0;
}

void capture_frame(const uint32_t *xrgb)
{
    if (capture)
        capture->frame(xrgb);
}

void capture_finish()
{
    CaptureSink *ending = std::exchange(capture, nullptr);
    if (ending && !ending->finish())
        host_output_failed();
    delete ending;
}
