// capture_module.h - the encoder's side of capture.h, in a module of its own
// (liblumivex_capture.so, built from capture_ffmpeg.cpp) that links FFmpeg.
// capture_load.cpp opens it on the first capture, so FFmpeg's hundred-odd
// libraries are loaded by a run that records and by no other: every other
// run starts without them.
#ifndef LUMIVEX_GLIDE_CAPTURE_MODULE_H
#define LUMIVEX_GLIDE_CAPTURE_MODULE_H

#include <cstdint>

#define LUMIVEX_CAPTURE_MODULE "liblumivex_capture.so"

// One capture into one file.
struct CaptureSink {
    // Adds the picture a swap has just shown (as capture_frame).
    virtual void frame(const uint32_t *xrgb) = 0;
    // Completes the file: the last frames encoded, the index written. False
    // when any of the file could not be written (said on stderr at once).
    virtual bool finish() = 0;
    virtual ~CaptureSink() = default;
};

// The module's one entry: a capture to path of pictures of width x height,
// or null when it cannot be made (said on stderr in one line).
extern "C" __attribute__((visibility("default"))) CaptureSink *lumivex_capture_open(const char *path,
                                                                                    int width, int height);

#endif
