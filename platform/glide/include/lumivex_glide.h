// lumivex_glide.h - what our Glide offers beyond the Glide API: read access to
// its buffers, a replaceable display clock and the presenter each host
// implements. For tests, benchmarks and tools; the show itself uses glide.h
// only.
#ifndef LUMIVEX_GLIDE_INTERNAL_API_H
#define LUMIVEX_GLIDE_INTERNAL_API_H

#include <glide.h>

#include <cstddef>
#include <cstdint>

namespace lumivex {

constexpr int SCREEN_WIDTH = 640;
constexpr int SCREEN_HEIGHT = 480;

// The clock that paces buffer swaps: nanoseconds on a monotonic scale whose
// origin does not matter. sleep_until returns once now() >= deadline.
struct GlideClock {
    virtual ~GlideClock() = default;
    virtual int64_t now() = 0;
    virtual void sleep_until(int64_t deadline) = 0;
};

// How a presenter takes its pixels: 0x00RRGGBB words, or the bytes R, G, B
// and an opaque alpha in memory order, as a browser's canvas takes them.
enum class PixelOrder { XRGB, RGBA };

// Where a shown frame goes: a window or the whole screen. present gets the
// picture the screen shows (the visible buffer through the video output's
// filter and gamma), row by row from the top, in the presenter's pixel
// order; close gives back whatever the presenter took (it is called once,
// before deletion).
struct Presenter {
    virtual ~Presenter() = default;
    virtual PixelOrder pixel_order() const { return PixelOrder::XRGB; }
    virtual void present(const uint32_t *pixels, int width, int height) = 0;
    // Where the next picture may be made (width x height pixels as present
    // takes them), so that present shows it without a copy; null, the
    // default, when present copies.
    virtual uint32_t *frame_memory(int, int) { return nullptr; }
    virtual void close() = 0;
};

// Replaces the display clock (null: the host's clock). The clock must outlive
// its use; the retrace count restarts at the clock's present time.
void glide_set_clock(GlideClock *clock);

// The colour buffers (GR_BUFFER_FRONTBUFFER, GR_BUFFER_BACKBUFFER) and the
// depth buffer, 640x480 times LUMIVEX_RESOLUTION each, row by row from the
// top; null while the device is not open. The colour buffers are RGB565, read
// in rgb565, or with LUMIVEX_COLOUR=32 0x00RRGGBB words in xrgb; the other is null.
struct ColourPixels {
    const uint16_t *rgb565;
    const uint32_t *xrgb;
};
ColourPixels glide_colour_buffer(GrBuffer_t buffer);
const uint16_t *glide_depth_buffer();

// The buffer swaps made since grGlideInit: the frame the next swap shows.
int64_t glide_frames_shown();

// The retrace on which the last swap showed its frame, counted from the
// opening of the device (or from the last glide_set_clock).
int64_t glide_last_swap_retrace();

// The bytes guTexDownloadMipMap reads from its source for a handle's
// mip-map: 0 for a void or unknown handle.
size_t glide_mipmap_bytes(GrMipMapId_t id);

// Draws the show's texture path with the widest pixel loop up to pixels
// until the device next opens: 8 (AVX2, where the processor has it; each
// open takes the widest), 4 (SSE2) or 1. Each draws the same pixels; tests
// try them all. Returns the width taken, which the processor may hold below
// the limit.
int glide_limit_pixel_loop(int pixels);

}  // namespace lumivex

#endif
