// device.cpp - the device's lifecycle: init, the hardware query, open, close,
// shutdown and the window notifications. Every call is harmless in any state:
// before grGlideInit, before a successful grSstWinOpen, after close.
#include "device.h"

#include "capture.h"
#include "host.h"
#include "progress.h"
#include "trace.h"

#include <cstring>

GlideDevice glide;

static lumivex::GlideClock *clock_override = nullptr;

lumivex::GlideClock &glide_clock()
{
    return clock_override ? *clock_override : host_clock();
}

void *colour_buffer(int which)
{
    return glide.open ? glide.colour[which].data() : nullptr;
}

static int back_buffer()
{
    return glide.colour_buffers == 2 ? glide.front ^ 1 : glide.front;
}

void *render_target()
{
    return colour_buffer(glide.render_buffer == GR_BUFFER_FRONTBUFFER ? glide.front : back_buffer());
}

uint32_t colour_to_rgb(GrColor_t c)
{
    uint32_t v = (uint32_t)c;
    switch (glide.colour_format) {
    case GR_COLORFORMAT_ARGB: return v & 0xFFFFFF;
    case GR_COLORFORMAT_ABGR: return (v & 0xFF) << 16 | (v & 0xFF00) | (v >> 16 & 0xFF);
    case GR_COLORFORMAT_BGRA: return (v >> 8 & 0xFF) << 16 | (v >> 16 & 0xFF) << 8 | (v >> 24);
    default: return v >> 8;  // RGBA
    }
}

// Starts the display clock's retrace count now.
static void restart_retraces()
{
    glide.epoch = glide_clock().now();
    glide.last_retrace = 0;
}

// Harmless when the device is not open.
static void close_device()
{
    if (!glide.open)
        return;
    bands_finish();
    capture_finish();
    progress_end();
    if (glide.presenter)
        glide.presenter->close();
    glide.presenter.reset();
    for (auto &buffer : glide.colour)
        std::vector<uint32_t>().swap(buffer);
    std::vector<uint16_t>().swap(glide.depth);
    std::vector<uint32_t>().swap(glide.picture);
    glide.open = false;
    trace_frame(false, glide.frames_shown);
}

void FX_CALL grGlideInit(void)
{
    close_device();
    glide_configure();
    trace_call("grGlideInit", {});
    tex_memory_restart();
    glide = GlideDevice();
    glide.initialised = true;
    restart_retraces();
}

FxBool FX_CALL grSstQueryHardware(GrHwConfiguration *hw)
{
    trace_call("grSstQueryHardware", {TracePointer()});
    if (!hw)
        return FXFALSE;
    std::memset(hw, 0, sizeof *hw);
    if (glide_config.boards == 0)
        return FXFALSE;
    hw->num_sst = 1;
    hw->SSTs[0].type = GR_SSTTYPE_VOODOO;
    GrVoodooConfig_t &v = hw->SSTs[0].sstBoard.VoodooConfig;
    v.fbRam = 2;
    v.fbiRev = 2;
    v.nTexelfx = 1;
    v.sliDetect = FXFALSE;
    v.tmuConfig[0].tmuRev = 1;
    v.tmuConfig[0].tmuRam = (int)(TEXTURE_MEMORY_BYTES >> 20);
    return FXTRUE;
}

void FX_CALL grSstSelect(int which_sst)
{
    trace_call("grSstSelect", {which_sst});
}

FxBool FX_CALL grSstWinOpen(FxU32 hWnd, GrScreenResolution_t resolution, GrScreenRefresh_t refresh,
                            GrColorFormat_t colour_format, GrOriginLocation_t origin, int colour_buffers,
                            int aux_buffers)
{
    trace_call("grSstWinOpen",
               {hWnd, resolution, refresh, colour_format, origin, colour_buffers, aux_buffers});
    // Kept when the open fails: a program that goes on still swaps, and the
    // scripted key still goes to its window.
    if (glide.initialised && !glide.open) {
        glide.hwnd = hWnd;
        glide.open_failed = true;
    }
    if (!glide.initialised || glide.open || glide_config.fail_open || glide_config.boards == 0)
        return FXFALSE;
    if (resolution != GR_RESOLUTION_640x480 || colour_format < GR_COLORFORMAT_ARGB ||
        colour_format > GR_COLORFORMAT_BGRA || origin != GR_ORIGIN_UPPER_LEFT || colour_buffers < 1 ||
        colour_buffers > 2 || aux_buffers < 0 || aux_buffers > 1)
        return FXFALSE;

    // Offscreen, frames go nowhere (but to the dumps).
    std::unique_ptr<lumivex::Presenter> presenter;
    if (glide_config.output != Output::OFFSCREEN) {
        presenter = open_host_presenter(hWnd, glide_config.output == Output::FULLSCREEN, glide_config.scale);
        if (!presenter)
            return FXFALSE;
    }

    glide.resolution = glide_config.resolution;
    glide.width = SCREEN_WIDTH * glide.resolution;
    glide.height = SCREEN_HEIGHT * glide.resolution;
    const size_t pixels = (size_t)glide.width * glide.height;
    glide.spans = span_table(glide_config.true_colour ? PIXEL_XRGB : PIXEL_RGB565, 8);
    for (int i = 0; i < colour_buffers; ++i)
        glide.colour[i].assign(true_colour() ? pixels : (pixels + 1) / 2, 0);
    glide.depth.assign(pixels, GR_WDEPTHVALUE_FARTHEST);
    glide.scanout = make_scanout(glide_config.card_filter, glide_config.gamma);
    // A 32-bit buffer with no gamma to apply is shown as it stands (picture.cpp),
    // unless the presenter takes another order.
    const bool as_drawn = true_colour() && glide.scanout.gamma_identity &&
                          (!presenter || presenter->pixel_order() == lumivex::PixelOrder::XRGB);
    glide.picture.assign(as_drawn ? 0 : pixels, 0);
    glide.presenter = std::move(presenter);
    glide.colour_format = colour_format;
    glide.colour_buffers = colour_buffers;
    glide.has_depth = aux_buffers == 1;
    glide.front = 0;
    glide.render_buffer = GR_BUFFER_BACKBUFFER;
    glide.clip = {0, 0, glide.width, glide.height};
    glide.open = true;
    glide.open_failed = false;
    restart_retraces();
    progress_start();
    if (!glide_config.capture_path.empty())
        capture_start(glide_config.capture_path.c_str(), glide.width, glide.height);
    trace_frame(true, glide.frames_shown);
    return FXTRUE;
}

void FX_CALL grSstWinClose(void)
{
    trace_call("grSstWinClose", {});
    close_device();
}

void FX_CALL grGlideShutdown(void)
{
    trace_call("grGlideShutdown", {});
    close_device();
    bands_stop();
    tex_memory_reset();
    glide.initialised = false;
}

// Nothing to hand over: the presenter follows its window by itself. A move
// never fails, so the program never closes its window for it.
FxBool FX_CALL grSstControl(FxU32 code)
{
    trace_call("grSstControl", {code});
    return FXTRUE;
}

// Drawing is finished by every call that reads or replaces what it draws
// with (swaps, buffer reads, texture memory), so there is nothing to wait for.
void FX_CALL grSstIdle(void)
{
    trace_call("grSstIdle", {});
}

namespace lumivex {

void glide_set_clock(GlideClock *clock)
{
    clock_override = clock;
    restart_retraces();
}

// The colour buffer a read names, drawn up to now; null when there is none.
static void *read_colour(GrBuffer_t buffer)
{
    if (!glide.open)
        return nullptr;
    bands_finish();
    if (buffer == GR_BUFFER_FRONTBUFFER)
        return colour_buffer(glide.front);
    if (buffer == GR_BUFFER_BACKBUFFER)
        return colour_buffer(back_buffer());
    return nullptr;
}

ColourPixels glide_colour_buffer(GrBuffer_t buffer)
{
    const void *pixels = read_colour(buffer);
    return {true_colour() ? nullptr : static_cast<const uint16_t *>(pixels),
            true_colour() ? static_cast<const uint32_t *>(pixels) : nullptr};
}

// What is recorded keeps the loops it was recorded with.
int glide_limit_pixel_loop(int pixels)
{
    glide.spans = span_table(glide.spans.format, pixels);
    return glide.spans.width;
}

const uint16_t *glide_depth_buffer()
{
    bands_finish();
    return glide.open && glide.has_depth ? glide.depth.data() : nullptr;
}

int64_t glide_frames_shown()
{
    return glide.frames_shown;
}

int64_t glide_last_swap_retrace()
{
    return glide.last_retrace;
}

}  // namespace lumivex
