// buffers.cpp - render buffer, clip window, clear and the depth-buffer state.
#include "device.h"
#include "dither.h"
#include "trace.h"

#include <algorithm>
#include <cstring>

void FX_CALL grRenderBuffer(GrBuffer_t buffer) {
    trace_call("grRenderBuffer", {buffer});
    if (buffer == GR_BUFFER_FRONTBUFFER || buffer == GR_BUFFER_BACKBUFFER) glide.render_buffer = buffer;
}

void FX_CALL grClipWindow(FxU32 minx, FxU32 miny, FxU32 maxx, FxU32 maxy) {
    trace_call("grClipWindow", {minx, miny, maxx, maxy});
    auto limit = [](FxU32 v, int top) { return v > (FxU32)top ? top : (int)v; };
    glide.clip.minx = limit(minx, SCREEN_WIDTH);
    glide.clip.maxx = limit(maxx, SCREEN_WIDTH);
    glide.clip.miny = limit(miny, SCREEN_HEIGHT);
    glide.clip.maxy = limit(maxy, SCREEN_HEIGHT);
}

// Clears the clip window of the render buffer, dithered like drawn pixels;
// the depth buffer only while depth writes are on.
void FX_CALL grBufferClear(GrColor_t colour, GrAlpha_t alpha, FxU16 depth) {
    trace_call("grBufferClear", {colour, alpha, depth});
    uint16_t *target = render_target();
    if (!target) return;
    const ClipRect c = glide.clip;  // a copy: the stores below cannot change it
    if (c.minx >= c.maxx) return;
    uint32_t rgb = colour_to_rgb(colour);
    unsigned r = rgb >> 16 & 0xFF, g = rgb >> 8 & 0xFF, b = rgb & 0xFF;
    // The four rows of the dither pattern, a screen wide, made once and
    // copied into every row of the window.
    static uint16_t patterns[4][SCREEN_WIDTH];
    for (int i = 0; i < 4; ++i)
        for (int x = 0; x < SCREEN_WIDTH; ++x) patterns[i][x] = dither_rgb565(DITHER_PATTERN[i][x & 3], r, g, b);
    const size_t width = (size_t)(c.maxx - c.minx);
    bool clear_depth = glide.depth_mask && glide.has_depth;
    for (int y = c.miny; y < c.maxy; ++y) {
        std::memcpy(target + (size_t)y * SCREEN_WIDTH + c.minx, patterns[y & 3] + c.minx, width * sizeof(uint16_t));
        if (clear_depth) {
            uint16_t *drow = glide.depth.data() + (size_t)y * SCREEN_WIDTH + c.minx;
            std::fill(drow, drow + width, depth);
        }
    }
}

// W-buffering and no depth buffer are what we have; the z-buffer modes are
// refused.
void FX_CALL grDepthBufferMode(GrDepthBufferMode_t mode) {
    trace_call("grDepthBufferMode", {mode});
    if (mode == GR_DEPTHBUFFER_DISABLE || mode == GR_DEPTHBUFFER_WBUFFER) glide.depth_mode = mode;
}

void FX_CALL grDepthBufferFunction(GrCmpFnc_t function) {
    trace_call("grDepthBufferFunction", {function});
    if (function >= GR_CMP_NEVER && function <= GR_CMP_ALWAYS) glide.depth_function = function;
}

void FX_CALL grDepthMask(FxBool mask) {
    trace_call("grDepthMask", {mask});
    glide.depth_mask = mask != FXFALSE;
}
