// device.h - the state of our one Glide device, shared by the files that
// implement the calls. One file per stage: device.cpp (lifecycle), buffers.cpp
// (render buffer, clip, clear, depth state), swap.cpp (pacing, presenting,
// dumps), combine.cpp, texmem.cpp, triangle.cpp, bands.cpp and span*.cpp
// (drawing).
#ifndef LUMIVEX_GLIDE_DEVICE_H
#define LUMIVEX_GLIDE_DEVICE_H

#include <glide.h>
#include <lumivex_glide.h>

#include "config.h"
#include "coverage.h"
#include "raster.h"
#include "scanout.h"

#include <cstdint>
#include <memory>
#include <vector>

using lumivex::SCREEN_HEIGHT;
using lumivex::SCREEN_WIDTH;

// The largest LUMIVEX_RESOLUTION: frames of up to 2560x1920 pixels.
constexpr int MAX_RESOLUTION = 4;

struct MipMap;

// What texture unit 0 samples with (texmem.h).
struct TmuState {
    const MipMap *source = nullptr;
    TexModes modes;
};

struct GlideDevice {
    bool initialised = false;
    bool open = false;
    bool open_failed = false;  // the last grSstWinOpen failed; swaps still pace
    FxU32 hwnd = 0;
    GrColorFormat_t colour_format = GR_COLORFORMAT_RGBA;

    // The buffers' size: the program's 640x480 times the resolution, which
    // scales every position the program gives.
    int resolution = 1;
    int width = SCREEN_WIDTH, height = SCREEN_HEIGHT;

    // Colour buffers: number front is visible; with one buffer both are it.
    // The pixels are in the span table's format: RGB565 (uint16_t), or with
    // LUMIVEX_COLOUR=32 0x00RRGGBB words (uint32_t); colour_buffer gives them.
    std::vector<uint32_t> colour[2];
    int front = 0;
    int colour_buffers = 2;
    bool has_depth = true;
    std::vector<uint16_t> depth;
    GrBuffer_t render_buffer = GR_BUFFER_BACKBUFFER;
    ClipRect clip;

    GrDepthBufferMode_t depth_mode = GR_DEPTHBUFFER_DISABLE;
    GrCmpFnc_t depth_function = GR_CMP_LESS;
    bool depth_mask = false;

    GrColorCombineFnc_t colour_combine = GR_COLORCOMBINE_ITRGB;
    GrColor_t constant_colour = 0;  // in the colour format of the open device
    FxU32 stw_hint = 0;
    TmuState tmu;
    SpanTable spans;  // chosen when the device opens

    // Swap pacing: retraces of a 60 Hz clock counted from epoch.
    int64_t frames_shown = 0;
    int64_t epoch = 0;
    int64_t last_retrace = 0;

    std::unique_ptr<lumivex::Presenter> presenter;  // null offscreen
    Scanout scanout;
    std::vector<uint32_t> picture;  // what the screen shows, made at each swap
};

extern GlideDevice glide;

// Texture memory's part in the device's life (texmem.cpp): what the hardware
// query reports and allocations must fit in, and the resets.
constexpr size_t TEXTURE_MEMORY_BYTES = 2u << 20;
// Frees all texture memory; every handle given out before becomes void.
void tex_memory_reset();
// The same, and handles count from 0 again (grGlideInit).
void tex_memory_restart();

// The drawing threads' part (bands.cpp): draws everything recorded and
// returns when every band is done; stops the threads (grGlideShutdown).
void bands_finish();
void bands_stop();

// The display clock in use.
lumivex::GlideClock &glide_clock();

// Colour buffer number which (0 or 1), in its format; null when not open.
void *colour_buffer(int which);

// The buffer that drawing and clearing write to; null when not open.
void *render_target();

// Whether the colour buffers hold 0x00RRGGBB words (LUMIVEX_COLOUR=32).
inline bool true_colour()
{
    return glide.spans.format == PIXEL_XRGB;
}

// A GrColor_t in the device's colour format as 0x00RRGGBB.
uint32_t colour_to_rgb(GrColor_t colour);

#endif
