// buffers.cpp - render buffer, clip window, clear and the depth-buffer state.
#include "bands.h"
#include "device.h"
#include "trace.h"

void FX_CALL grRenderBuffer(GrBuffer_t buffer)
{
    set_state("grRenderBuffer", glide.render_buffer, buffer,
              buffer == GR_BUFFER_FRONTBUFFER || buffer == GR_BUFFER_BACKBUFFER);
}

void FX_CALL grClipWindow(FxU32 minx, FxU32 miny, FxU32 maxx, FxU32 maxy)
{
    trace_call("grClipWindow", {minx, miny, maxx, maxy});
    auto limit = [](FxU32 v, int top) { return (v > (FxU32)top ? top : (int)v) * glide.resolution; };
    glide.clip.minx = limit(minx, SCREEN_WIDTH);
    glide.clip.maxx = limit(maxx, SCREEN_WIDTH);
    glide.clip.miny = limit(miny, SCREEN_HEIGHT);
    glide.clip.maxy = limit(maxy, SCREEN_HEIGHT);
}

// Clears the clip window of the render buffer, dithered like drawn pixels;
// the depth buffer only while depth writes are on.
void FX_CALL grBufferClear(GrColor_t colour, GrAlpha_t alpha, FxU16 depth)
{
    trace_call("grBufferClear", {colour, alpha, depth});
    void *target = render_target();
    if (!target)
        return;
    const bool clear_depth = glide.depth_mask && glide.has_depth;
    bands_clear(target, colour_to_rgb(colour), clear_depth ? glide.depth.data() : nullptr, depth, glide.clip);
    bands_call_done();
}

// W-buffering and no depth buffer are what we have; the z-buffer modes are
// refused.
void FX_CALL grDepthBufferMode(GrDepthBufferMode_t mode)
{
    set_state("grDepthBufferMode", glide.depth_mode, mode,
              mode == GR_DEPTHBUFFER_DISABLE || mode == GR_DEPTHBUFFER_WBUFFER);
}

void FX_CALL grDepthBufferFunction(GrCmpFnc_t function)
{
    set_state("grDepthBufferFunction", glide.depth_function, function,
              function >= GR_CMP_NEVER && function <= GR_CMP_ALWAYS);
}

void FX_CALL grDepthMask(FxBool mask)
{
    trace_call("grDepthMask", {mask});
    glide.depth_mask = mask != FXFALSE;
}
