// capture_none.cpp - the capture where FFmpeg is missing (Windows, the page):
// a capture asked for is refused in one line.
#include "../capture.h"
#include "../host.h"

#include <cstdio>

void capture_start(const char *, int, int)
{
    host_output_failed();
    std::fprintf(stderr,
                 "lumivex glide: LUMIVEX_CAPTURE: video capture is not part of this build; no capture\n");
}

void capture_frame(const uint32_t *) {}

void capture_finish() {}
